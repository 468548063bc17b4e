#pragma once
// A top-level window of the program. Every window class has one global instance
// (FNav for TFNav, ...) that is set in the base constructor, before the window's own
// creation logic runs, so that logic may already use its global name. The component
// name (objectName) is the global's name; placement sections in the settings file
// are named after it.

#include <QWidget>

namespace skerra {

class Form : public QWidget {
    Q_OBJECT
public:
    ~Form() override;

protected:
    Form(const QString& componentName, const QString& caption, QWidget* parent);

private:
    void** global_ = nullptr;
    template <class T> friend class FormOf;
};

// Base for a window class T whose global instance is `T* global`.
template <class T>
class FormOf : public Form {
protected:
    FormOf(T*& global, const QString& componentName, const QString& caption, QWidget* parent = nullptr)
        : Form(componentName, caption, parent)
    {
        global = static_cast<T*>(this);
        global_ = reinterpret_cast<void**>(&global);
    }
};

}  // namespace skerra
