#include "ui/ToolButtonAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QToolButton>

namespace {

// A tool button that shows an action: pressed or toggled, it is clicked.
class TToolButtonAccessible : public QAccessibleWidget {
public:
    explicit TToolButtonAccessible(QToolButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::Role role() const override
    {
        return Button()->isCheckable() ? QAccessible::CheckBox : QAccessible::Button;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = Button()->isCheckable();
        s.checked = Button()->isChecked();
        s.pressed = Button()->isDown();
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && Button()->accessibleName().isEmpty())
            return QString(Button()->text()).remove(QLatin1Char('&'));
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return {Button()->isCheckable() ? toggleAction() : pressAction()};
    }

    void doAction(const QString& name) override
    {
        if (Button()->isEnabled() && (name == toggleAction() || name == pressAction()))
            Button()->click();
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QToolButton* Button() const { return static_cast<QToolButton*>(object()); }
};

QAccessibleInterface* ToolButtonFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QToolButton"))
        return nullptr;
    auto* button = qobject_cast<QToolButton*>(object);
    return button && button->defaultAction() ? new TToolButtonAccessible(button) : nullptr;
}

}  // namespace

void InstallToolButtonAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(ToolButtonFactory);
        return true;
    }();
    (void)installed;
}
