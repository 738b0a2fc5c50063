// libFuzzer entry point for the cover reader: every input is read as a cover file's bytes, the
// zip container, its manifest and the pictures it names.

#include "cover/coverfile.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

namespace {

void ignoreQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler(ignoreQtMessages);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto read = readCoverBytes(bytes, QStringLiteral("fuzz.orbcover"));
    // A cover read is whole: every inserted picture it names was decoded.
    if (const auto* cover = std::get_if<OpenedCover>(&read))
        for (const SlotSnapshot& slot : cover->snapshot.slotSnapshots)
            for (const CoverStep& step : slot.steps)
                if (const auto* insert = std::get_if<InsertStep>(&step.inputs);
                    insert && insert->picture.isNull())
                    std::abort();
    return 0;
}
