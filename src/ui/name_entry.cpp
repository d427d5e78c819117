#include "name_entry.h"

#include <QLocale>

#include "core/look.h"
#include "core/name_check.h"
#include "name_box.h"
#include "picture_control.h"

namespace fifteen {

NameEntry::NameEntry(QWidget* window, const JpegPicture& panel, const JpegPicture& ok) : QObject(window), window_(window)
{
    upis_ = new PictureControl(QStringLiteral("upis"), window);
    upis_->move(look::kNamePanelUnseen.x, look::kNamePanelUnseen.y);
    upis_->show_picture(panel);
    upis_->hide();
    ok_ = new PictureControl(QStringLiteral("ok"), window);
    ok_->move(look::kOkUnseen.x, look::kOkUnseen.y);
    ok_->show_picture(ok);
    ok_->hide();
    enter_name_ = new NameBox(QStringLiteral("enter_name"), look::as<QRect>(look::kNameBoxUnseen), window);
    enter_name_->hide();
}

bool NameEntry::is_open() const
{
    return !ok_->isHidden();
}

bool NameEntry::typing() const
{
    return !enter_name_->isHidden() && enter_name_->hasFocus();
}

void NameEntry::show_in_place()
{
    upis_->move(look::kNamePanel.x, look::kNamePanel.y);
    upis_->show();
    enter_name_->move(look::kNameBox.x, look::kNameBox.y);
    ok_->move(look::kOk.x, look::kOk.y);
    enter_name_->show();
    ok_->show();
}

void NameEntry::close()
{
    // Nothing else in the window takes the focus, so a box hidden while it
    // has it would keep it and swallow the arrows: hand it to the window.
    const bool had_focus = window_->focusWidget() == enter_name_;
    upis_->hide();
    enter_name_->hide();
    ok_->hide();
    enter_name_->setReadOnly(false);
    confirmed_.clear();
    if (had_focus)
        window_->setFocus(Qt::OtherFocusReason);
}

NameEntry::Check NameEntry::check_name()
{
    const QString typed = enter_name_->text();
    if (typed.isEmpty())
        return Check::Empty;
    const std::u32string letters = typed.toStdU32String();
    const QLocale locale;
    const std::u32string upper = upper_name(letters, [&locale](char32_t c) {
        return locale.toUpper(QString::fromUcs4(&c, 1)).toStdU32String();
    });
    // Checked as the capitals came out, before the six-letter box could cut
    // them short.
    const QString capitals = QString::fromStdU32String(upper);
    enter_name_->setText(capitals);
    if (!name_acceptable(upper, letters.size())) {
        enter_name_->clear();
        return Check::Refused;
    }
    confirmed_ = capitals;
    enter_name_->setReadOnly(true);
    return Check::Accepted;
}

}  // namespace fifteen
