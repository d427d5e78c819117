#include "accessibility.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <algorithm>

#include "form1.h"
#include "name_box.h"
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
    [[nodiscard]] QAccessible::State state() const override
    {
        // What can be pressed is a stop of the focus (set by the game).
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = control()->has_press();
        return s;
    }

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
        else
            s.focusable = true;  // a place of the table, reached with Tab
        return s;
    }
};

// The name box as a screen reader reads it. Every text lookup is answered
// here and never by Qt's own, which on some versions does not return for a
// word or a sentence at some offsets and hangs the game. A name is at most
// six letters and one word: every boundary but a character's is the whole
// text, and so is a line, last letter included.
class NameBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit NameBoxAccessible(NameBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? box()->text() : QAccessibleWidget::text(t);
    }
    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !box()->isReadOnly();
        s.readOnly = box()->isReadOnly();
        return s;
    }

    // The text.
    [[nodiscard]] int characterCount() const override { return int(box()->text().size()); }
    [[nodiscard]] QString text(int start, int end) const override
    {
        const QString all = box()->text();
        const int from = std::clamp(start, 0, int(all.size()));
        const int to = end < 0 ? int(all.size()) : std::clamp(end, from, int(all.size()));
        return all.mid(from, to - from);
    }
    [[nodiscard]] QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                                       int* end) const override
    {
        return piece(offset, boundary, start, end);
    }
    [[nodiscard]] QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                                           int* end) const override
    {
        if (boundary == QAccessible::CharBoundary && offset > 0)
            return piece(offset - 1, boundary, start, end);
        return nothing(start, end);
    }
    [[nodiscard]] QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                                          int* end) const override
    {
        if (boundary == QAccessible::CharBoundary && offset + 1 < characterCount())
            return piece(offset + 1, boundary, start, end);
        return nothing(start, end);
    }
    [[nodiscard]] QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = std::clamp(offset, 0, characterCount());
        return {};
    }

    // The caret and the selection.
    [[nodiscard]] int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    [[nodiscard]] int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = *start + int(box()->selectedText().size());
        }
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { box()->deselect(); }
    void setSelection(int, int start, int end) override { box()->setSelection(start, end - start); }

    // Where a letter stands on the screen, and which letter stands at a point.
    [[nodiscard]] QRect characterRect(int offset) const override
    {
        const QString all = box()->text();
        if (offset < 0 || offset >= all.size())
            return {};
        const QFontMetrics metrics(box()->font());
        const QRect inside = box()->contentsRect().marginsRemoved(box()->textMargins());
        const int left = inside.left() + metrics.horizontalAdvance(all.left(offset));
        const QRect local(left, inside.top(), metrics.horizontalAdvance(all.at(offset)), inside.height());
        return QRect(box()->mapToGlobal(local.topLeft()), local.size());
    }
    [[nodiscard]] int offsetAtPoint(const QPoint& point) const override
    {
        for (int offset = 0; offset < characterCount(); ++offset)
            if (characterRect(offset).contains(point))
                return offset;
        return -1;
    }
    void scrollToSubstring(int, int) override {}  // the whole name always shows

private:
    [[nodiscard]] NameBox* box() const { return static_cast<NameBox*>(widget()); }

    [[nodiscard]] QString piece(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const
    {
        const QString all = box()->text();
        if (boundary != QAccessible::CharBoundary) {
            *start = 0;
            *end = int(all.size());
            return all;
        }
        if (offset < 0 || offset >= all.size())
            return nothing(start, end);
        *start = offset;
        *end = offset + 1;
        return all.mid(offset, 1);
    }
    static QString nothing(int* start, int* end)
    {
        *start = *end = -1;
        return {};
    }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    // The window is a frame whose name is its title, as screen readers
    // announce a window; a plain widget would be a nameless filler.
    if (auto* window = qobject_cast<Form1*>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* box = qobject_cast<NameBox*>(object))
        return new NameBoxAccessible(box);
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
