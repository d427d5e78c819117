#include "accessibility.h"

#include <QAccessibleWidget>

#include "picture_control.h"
#include "text_label.h"

namespace fifteen {

namespace {

class PictureAccessible final : public QAccessibleWidget {
public:
    explicit PictureAccessible(PictureControl* control) : QAccessibleWidget(control, control->accessible_role()) {}

    [[nodiscard]] QStringList actionNames() const override
    {
        return control()->has_press() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            control()->press();
    }
    [[nodiscard]] QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    [[nodiscard]] PictureControl* control() const { return static_cast<PictureControl*>(widget()); }
};

class LabelAccessible final : public QAccessibleWidget {
public:
    explicit LabelAccessible(TextLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<TextLabel*>(widget())->spoken();
        return QAccessibleWidget::text(t);
    }
    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (static_cast<TextLabel*>(widget())->silent())
            s.invisible = true;
        return s;
    }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    if (auto* control = qobject_cast<PictureControl*>(object))
        return new PictureAccessible(control);
    if (auto* label = qobject_cast<TextLabel*>(object))
        return new LabelAccessible(label);
    return nullptr;
}

}  // namespace

void install_accessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

}  // namespace fifteen
