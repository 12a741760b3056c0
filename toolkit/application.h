#pragma once

#include <memory>
#include <new>

#include <QApplication>
#include <QWidget>

namespace zorvaku {

// The program's application object: Qt's, titled "Zorvaku", with a main form
// whose closing ends the message loop.
class Application {
public:
    // The command line is not read: Qt gets the program's name alone.
    explicit Application(const char* programName);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Creates a form of type Form. The first form created is the main form.
    // reference is set to the new form before the form's constructor runs,
    // because the form's own code reaches its controls through it while the
    // form is being built; it is reset when the constructor throws.
    template <typename Form>
    void CreateForm(Form*& reference)
    {
        void* storage = ::operator new(sizeof(Form));
        reference = static_cast<Form*>(storage);
        try {
            new (storage) Form(this);
        } catch (...) {
            reference = nullptr;
            ::operator delete(storage);
            throw;
        }
        if (!mainForm_)
            mainForm_.reset(reference);
    }

    // Shows the main form and runs the message loop until the main form closes.
    void Run();

private:
    int argc_ = 1;
    char* argv_[2];
    QApplication qt_;
    std::unique_ptr<QWidget> mainForm_;
};

}  // namespace zorvaku
