#pragma once
// A top-level window of the program. Every window class has one global instance
// (FNav for TFNav, ...) that is set in the base constructor, before the window's own
// creation logic runs, so that logic may already use its global name. The component
// name (objectName) is the global's name; placement sections in the settings file
// are named after it.
//
// Every time it is shown the window's frame is kept inside the screen's available
// area; the first time, a window goes to its default place (as designed unless its
// class chooses another), from where a stored placement may still move it. Once the
// window manager has framed the window, its real frame is moved to where it was put.

#include "WindowFit.h"

#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <optional>

namespace skerra {

class Form : public QWidget {
    Q_OBJECT
public:
    ~Form() override;

    DefaultPlace defaultPlace() const { return defaultPlace_; }
    void setDefaultPlace(DefaultPlace place) { defaultPlace_ = place; }

    // The window that opens this one: the default place CentredOnOpener centres on it.
    void setOpener(QWidget* opener) { opener_ = opener; }

    // Whether the window has been placed: by its first show at its default place, or
    // by a stored placement (markPlaced), which the first show then keeps.
    bool placed() const { return placed_; }
    void markPlaced() { placed_ = placedOnPurpose_ = true; }
    // Whether a stored placement or the opener placed the window, not its default place.
    bool placedOnPurpose() const { return placedOnPurpose_; }

    // Whether the window has been shown in this run of the program.
    bool wasShown() const { return wasShown_; }

protected:
    Form(const QString& componentName, const QString& caption, QWidget* parent);
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The frame position of the default place AsDesigned.
    void setDesignedPlace(QPoint framePosition) { designedPlace_ = framePosition; }

    // Called once, after the window manager has first framed and placed the window.
    virtual void FramedOnScreen() {}

private:
    void Settle();

    void** global_ = nullptr;
    DefaultPlace defaultPlace_ = DefaultPlace::AsDesigned;
    QPointer<QWidget> opener_;
    std::optional<QPoint> designedPlace_;
    bool placed_ = false;
    bool placedOnPurpose_ = false;
    bool wasShown_ = false;
    QPointer<QWindow> watched_;  // the window handle whose exposure settles the frame
    bool framedOnce_ = false;
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
