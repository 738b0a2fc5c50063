#pragma once

#include <functional>
#include <initializer_list>
#include <utility>

class QAbstractButton;
class QAction;
class QObject;

// Connects a button's click, or an action's trigger, to a handler that reports what it throws.
// The connection lives as long as the context.
void connectReportingErrors(QAbstractButton* button, QObject* context, std::function<void()> handler);
void connectReportingErrors(QAction* action, QObject* context, std::function<void()> handler);

// A window's table of buttons and the handlers their clicks run.
template <typename Window>
void connectClicks(Window* window,
                   std::initializer_list<std::pair<QAbstractButton*, void (Window::*)()>> buttons) {
    for (const auto& [button, handler] : buttons)
        connectReportingErrors(button, window, [window, handler = handler] { (window->*handler)(); });
}

// A window's table of menu entries and the handlers they run.
template <typename Window>
void connectTriggers(Window* window, std::initializer_list<std::pair<QAction*, void (Window::*)()>> actions) {
    for (const auto& [action, handler] : actions)
        connectReportingErrors(action, window, [window, handler = handler] { (window->*handler)(); });
}
