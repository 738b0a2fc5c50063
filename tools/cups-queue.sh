#!/usr/bin/env bash
# A local CUPS print server with one PDF queue, Orbalin_PDF, for the printing tests and the benchmark.
#
#   tools/cups-queue.sh start       starts cupsd when it is not running, adds the queue (again: it is
#                                   safe to repeat), makes it the default and waits until it takes jobs
#   tools/cups-queue.sh stop        stops the cupsd that `start` launched; a cupsd that was already
#                                   running (a developer's own, with real printers) is left alone
#   tools/cups-queue.sh pdf-folder  prints the folder where the queue's PDFs land
#
# Where the PDFs land: cups-pdf writes each job into the `Out` folder of /etc/cups/cups-pdf.conf,
# expanding ${HOME} and ${USER} for the user who printed (Debian ships `Out ${HOME}/PDF`, so root's
# jobs go to /root/PDF). The file is named <title>-job_<id>.pdf, where cups-pdf turns every character
# other than letters, digits, '+', '-', '.' and non-ASCII into '_', drops leading '_' and drops an
# extension of up to three characters ("a.b" gives "a").
#
# The queue takes the file name from the job title rather than from the %%Title line of the
# PostScript that cups-pdf receives: its reading of that line appends stale bytes to titles of some
# lengths (a job titled Obn70000 came out as "Obn70000___1__enable-job_12.pdf").
#
# Needs the packages cups, printer-driver-cups-pdf and poppler-utils (tools/install-deps.sh).
set -euo pipefail

queue=Orbalin_PDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
cups_pdf_conf=/etc/cups/cups-pdf.conf
# The pid of the cupsd this script launched; `stop` stops only that one.
started_pid_file=/tmp/orbalin-cupsd.pid

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

# lpstat's messages are translated; the checks below read the English ones.
export LC_ALL=C

scheduler_running() {
    [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]
}

# Alive and not a zombie: a stopped cupsd whose parent has not reaped it yet still has a pid.
process_alive() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    state=${state//[[:space:]]/}
    [[ -n "$state" && "$state" != Z* ]]
}

process_gone() {
    ! process_alive "$1"
}

# Accepting jobs and not paused: a paused queue accepts jobs but holds them.
queue_ready() {
    local options
    options=$(lpoptions -p "$queue" 2>/dev/null) || return 1
    [[ " $options " == *" printer-is-accepting-jobs=true "* ]] && [[ " $options " != *" printer-state=5 "* ]]
}

wait_for() {
    local what=$1
    shift
    for _ in $(seq 200); do
        if "$@"; then
            return 0
        fi
        sleep 0.05
    done
    echo "cups-queue: timed out waiting for $what" >&2
    return 1
}

start_scheduler() {
    if scheduler_running; then
        return 0
    fi
    if [ -d /run/systemd/system ] && command -v systemctl >/dev/null; then
        # systemd owns the socket there; a second cupsd could not listen on it.
        $sudo systemctl start cups
    else
        # cupsd forks and its parent returns once the scheduler is up; it writes its pid file.
        $sudo /usr/sbin/cupsd
        $sudo cat /run/cups/cupsd.pid >"$started_pid_file"
    fi
    wait_for "the scheduler to start" scheduler_running
}

add_queue() {
    if [ ! -f "$ppd" ]; then
        echo "cups-queue: $ppd is missing; run tools/install-deps.sh" >&2
        return 1
    fi
    # lpadmin warns on every call that PPD drivers are deprecated; keep its other messages.
    {
        $sudo lpadmin -p "$queue" -v cups-pdf:/ -E -P "$ppd" -o TitlePref=1 -o Label=2 2>&1 >&3 |
            { grep -v 'drivers are deprecated' >&2 || true; }
    } 3>&1
    $sudo cupsenable "$queue"
    $sudo cupsaccept "$queue"
    $sudo lpadmin -d "$queue"
    wait_for "$queue to accept jobs" queue_ready
}

stop_scheduler() {
    if [ ! -f "$started_pid_file" ]; then
        if scheduler_running; then
            echo "cups-queue: cupsd was not started by this script; leaving it running"
        fi
        return 0
    fi
    local pid
    pid=$(cat "$started_pid_file")
    if process_alive "$pid" && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = cupsd ]; then
        $sudo kill -TERM "$pid"
        wait_for "cupsd ($pid) to stop" process_gone "$pid"
    fi
    rm -f "$started_pid_file"
}

# cups-pdf expands ${HOME} from the password database, not from the environment.
pdf_folder() {
    local user home out
    user=$(id -run)
    home=$(getent passwd "$user" | cut -d: -f6)
    out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+\(.*[^[:space:]]\)[[:space:]]*$/\1/p' "$cups_pdf_conf" 2>/dev/null |
        tail -n 1)
    out=${out:-/var/spool/cups-pdf/\$\{USER\}}
    out=${out//\$\{HOME\}/$home}
    out=${out//\$\{USER\}/$user}
    echo "${out%/}"
}

case "${1:-}" in
start)
    start_scheduler
    add_queue
    ;;
stop)
    stop_scheduler
    ;;
pdf-folder)
    pdf_folder
    ;;
*)
    echo "usage: $0 start | stop | pdf-folder" >&2
    exit 2
    ;;
esac
