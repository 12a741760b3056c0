#pragma once

#include <QObject>

namespace zorvaku {

// Keeps the application painted but deaf while long work runs inside an
// event handler. While an InputHold lives, every user input event that
// reaches the application (mouse, keys, wheel, touch, drag and drop) is
// dropped, not queued, so none is handled during the work or after it: a
// second click on a button that started a split must not split again.
// Repaint() lets the windows repaint and takes in what the system queued
// meanwhile; a close request reaches its window, which holds it if it must.
class InputHold : public QObject {
public:
    InputHold();
    // Drops the input queued since the last Repaint before input is taken again.
    ~InputHold() override;
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

    void Repaint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zorvaku
