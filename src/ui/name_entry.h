#pragma once
// The name entry as one piece: the panel `upis`, the box `enter_name` and the
// OK picture `ok`, with the rules that keep keys and names from going astray.
#include <QObject>
#include <QString>

namespace fifteen {

class JpegPicture;
class NameBox;
class PictureControl;

class NameEntry final : public QObject {
    Q_OBJECT
public:
    // Creates the three controls on `window`, above every control made before.
    NameEntry(QWidget* window, const JpegPicture& panel, const JpegPicture& ok);

    [[nodiscard]] PictureControl* panel() const { return upis_; }
    [[nodiscard]] NameBox* box() const { return enter_name_; }
    [[nodiscard]] PictureControl* ok() const { return ok_; }

    // Open while OK shows; only then does OK answer, by click, key or
    // screen reader, as a hidden control takes no act.
    [[nodiscard]] bool is_open() const;
    // The player is typing: the open box has the keyboard focus.
    [[nodiscard]] bool typing() const;

    // Places the panel, the box and OK in the lower right corner and shows
    // them. The focus stays where it is and the box keeps its text.
    void show_in_place();
    // Hides the three and gives the keyboard back to the board.
    void close();

    enum class Check { Empty, Refused, Accepted };
    // Puts the box's name into capitals and checks it. A refused name is
    // wiped. An accepted one is fixed: the box takes no edits until the
    // entry closes, so what is recorded is what passed.
    [[nodiscard]] Check check_name();
    [[nodiscard]] const QString& confirmed_name() const { return confirmed_; }

private:
    QWidget* window_;
    PictureControl* upis_;
    PictureControl* ok_;
    NameBox* enter_name_;
    QString confirmed_;
};

}  // namespace fifteen
