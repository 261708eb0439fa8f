#include "app/combo_form.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

class RComboFormPopup : public QFrame {
public:
    explicit RComboFormPopup(RComboForm& owner) : QFrame(&owner, Qt::Popup), owner_(owner)
    {
        setObjectName("ComboFormPopup");
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setAttribute(Qt::WA_NoMouseReplay);  // a click on the control just closes
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(4, 4, 4, 4);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        okButton_ = new QPushButton("OK", this);
        okButton_->setObjectName("btnComboFormOK");
        buttons->addWidget(okButton_);
        layout->addLayout(buttons);
        QObject::connect(okButton_, &QPushButton::clicked, this, [this] { owner_.ConfirmDropDown(); });
    }

    void Host(QWidget* form)
    {
        auto* layout = static_cast<QVBoxLayout*>(this->layout());
        layout->insertWidget(0, form);
        form->show();
    }

    void PlaceUnder(const QWidget& control)
    {
        adjustSize();
        resize(std::max(width(), control.width()), height());
        QPoint at = control.mapToGlobal(QPoint(0, control.height()));
        if (const QScreen* screen = control.screen()) {
            const QRect area = screen->availableGeometry();
            if (at.y() + height() > area.bottom() && control.mapToGlobal(QPoint(0, 0)).y() - height() >= area.top())
                at.setY(control.mapToGlobal(QPoint(0, 0)).y() - height());
            at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width())));
        }
        move(at);
    }

    bool suspended = false;  // hidden for a dialog, not discarded

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            owner_.ConfirmDropDown();
            return;
        case Qt::Key_Escape:
            event->accept();
            owner_.hidePopup();
            return;
        default: QFrame::keyPressEvent(event);
        }
    }

    void hideEvent(QHideEvent* event) override
    {
        QFrame::hideEvent(event);
        if (!suspended)
            owner_.Release();  // closed by a click outside
    }

private:
    RComboForm& owner_;
    QPushButton* okButton_;
};

RComboForm::RComboForm(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    addItem(QString());
}

RComboForm::~RComboForm() { Release(); }

void RComboForm::SetText(const QString& text)
{
    setItemText(0, text);
    setToolTip(text);
}

void RComboForm::showPopup()
{
    if (IsDroppedDown() || !OnPrepareComboForm)
        return;
    QWidget* form = OnPrepareComboForm(*this);
    if (!form)
        return;
    form_ = form;
    formParent_ = form->parentWidget();
    if (!popup_)
        popup_ = new RComboFormPopup(*this);
    popup_->Host(form);
    popup_->PlaceUnder(*this);
    popup_->show();
    form->setFocus();
    if (QWidget* first = form->nextInFocusChain(); first && form->isAncestorOf(first))
        first->setFocus();
}

void RComboForm::hidePopup()
{
    if (popup_ && popup_->isVisible())
        popup_->hide();  // its hide handler releases the form
    else
        Release();
}

bool RComboForm::IsDroppedDown() const { return popup_ && popup_->isVisible() && form_; }

QWidget* RComboForm::PopupWindow() const { return IsDroppedDown() ? popup_ : nullptr; }

bool RComboForm::ConfirmDropDown()
{
    if (!IsDroppedDown())
        return false;
    if (OnApplyComboForm && !OnApplyComboForm(*this, *form_))
        return false;
    hidePopup();
    return true;
}

void RComboForm::Release()
{
    if (form_) {
        form_->hide();
        form_->setParent(formParent_);
    }
    form_ = nullptr;
    formParent_ = nullptr;
}

void RComboForm::KeepDroppedDown(QWidget* form, const std::function<void()>& modal)
{
    RComboFormPopup* popup = nullptr;
    for (QWidget* w = form; w && !popup; w = w->parentWidget())
        popup = dynamic_cast<RComboFormPopup*>(w);
    if (!popup || !popup->isVisible()) {
        modal();
        return;
    }
    struct Restore {
        RComboFormPopup* popup;
        ~Restore()
        {
            popup->suspended = false;
            popup->show();
        }
    };
    popup->suspended = true;
    popup->hide();
    const Restore restore{popup};
    modal();
}
