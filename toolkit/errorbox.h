#pragma once

#include <functional>

#include <QObject>
#include <QString>

namespace zorvaku {

// Shows message followed by "." in a modal box with the stop icon, the
// application's title as caption and one OK button; returns once it is closed.
void ShowErrorBox(const QString& message);

// Receives the text the error box would show, instead of the box, while a
// test watches the program; an empty recorder brings the box back.
using ErrorBoxRecorder = std::function<void(const QString& text)>;
void SetErrorBoxRecorder(ErrorBoxRecorder recorder);

// Shows the exception being handled in the error box. Call it in a catch block.
void ShowCurrentException() noexcept;

// Runs handler. An exception that leaves it is shown in the error box and
// goes no further, so that none ever crosses Qt's event loop; nothing the
// handler did before is undone, and the program goes on with the next event.
template <typename Handler>
void RunGuarded(Handler&& handler) noexcept
{
    try {
        handler();
    } catch (...) {
        ShowCurrentException();
    }
}

// A slot for connect() that runs the event handler (object->*handler)(sender)
// through RunGuarded.
template <typename Form>
auto Guarded(Form* object, void (Form::*handler)(QObject*), QObject* sender)
{
    return [object, handler, sender] { RunGuarded([&] { (object->*handler)(sender); }); };
}

}  // namespace zorvaku
