#pragma once
// RComboForm: a read-only drop-down control whose pop-up hosts a form.
//
//     auto* combo = new RComboForm(row);
//     combo->OnPrepareComboForm = [&](RComboForm& c) { FillFormFor(c.Tag()); return form; };
//     combo->OnApplyComboForm = [&](RComboForm& c, QWidget& f) { return TakeFrom(f, c.Tag()); };
//
// Opening the drop-down asks the prepare handler for the form to show; the
// form is borrowed into the pop-up under the control, with an OK button,
// and handed back to its own parent when the pop-up closes. Enter or OK
// confirms: the apply handler takes the form's state (false keeps the
// pop-up open, the handler having told the user why). Escape or a click
// outside discards the edits. The control's text is set by the handlers.

#include <QComboBox>
#include <QPointer>

#include <functional>

class RComboFormPopup;

class RComboForm : public QComboBox {
    Q_OBJECT
public:
    explicit RComboForm(QWidget* parent = nullptr);
    ~RComboForm() override;

    QString Text() const { return itemText(0); }
    void SetText(const QString& text);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    std::function<QWidget*(RComboForm& control)> OnPrepareComboForm;
    std::function<bool(RComboForm& control, QWidget& form)> OnApplyComboForm;

    // Opens the drop-down (prepare); nothing opens without a form.
    void showPopup() override;
    // Closes the drop-down, discarding its edits.
    void hidePopup() override;
    bool IsDroppedDown() const;
    // What Enter and the OK button do; true when applied and closed.
    bool ConfirmDropDown();
    // The pop-up while dropped down (for positioning and tests).
    QWidget* PopupWindow() const;

    // Runs `modal` (a dialog asked from inside the hosted form `form`) with
    // the drop-down kept: the platform closes pop-ups while a dialog is open,
    // so the pop-up is shown again afterwards with the form's edits intact.
    static void KeepDroppedDown(QWidget* form, const std::function<void()>& modal);

private:
    friend class RComboFormPopup;
    void Release();  // hands the form back and forgets it

    int tag_ = 0;
    RComboFormPopup* popup_ = nullptr;
    QPointer<QWidget> form_;
    QPointer<QWidget> formParent_;
};
