#pragma once
// The game's one window: the board, the buttons, the ranking table and the
// name entry, with the handlers that drive them.
#include <QPixmap>
#include <QWidget>
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "core/board.h"
#include "core/highscore.h"
#include "core/shuffle.h"
#include "jpeg_picture.h"

namespace fifteen {

class NameEntry;
class PictureControl;
class Platform;
class RankingTable;
class TextLabel;

// Sets what a screen reader calls `control`, only when that changes.
void set_spoken_name(QWidget* control, const QString& name);

class Form1 final : public QWidget {
    Q_OBJECT
public:
    explicit Form1(Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    // The whole start-up: sibling program, pause, data-file check, first board
    // and the ranking table.
    void Form_Load();

    void StartnaTabla16();
    void NovaTabla16();
    void PrikaziTablu16();
    void zamrzni_slicice();
    void odmrzni_slicice();
    void iz_opena_u_tekst(const QByteArray& bufer);

    // Event handlers, named after their control and event.
    void Image_Click(int n);  // Image1_Click .. Image16_Click
    void startover_Click();
    void ok_Click();
    void kelvane_Click();
    void Form_MouseMove();
    void Image54_MouseMove();
    void right_column_MouseMove();  // Image8, Image12 and Image16
    void ok_MouseMove();
    void kelvane_MouseMove();
    void Form_QueryUnload();
    // Enter in the name box: OK's click and then a move of the pointer over
    // OK, so a valid name is confirmed and recorded at once.
    void enter_name_Return();
    // The keys, each the act of the control it stands for: an arrow is a
    // click on the tile that travels that way into the gap, F2 or Ctrl+N a
    // click on START OVER, Enter in the name box (and a screen reader's press
    // of OK) is enter_name_Return on OK.
    void arrow_key(Qt::Key key);
    void start_over_key();
    void enter_name_key();

    // The game's state as the handlers read it, each in one place.
    // Frozen: the tiles and START OVER are disabled (zamrzni_slicice).
    [[nodiscard]] bool frozen() const;
    // The name entry shows.
    [[nodiscard]] bool entry_open() const;

    // What tests look at and set.
    [[nodiscard]] const BoardStores& stores() const { return stores_; }
    [[nodiscard]] std::int16_t move_count() const { return move_count_; }
    [[nodiscard]] std::int16_t name_confirmed() const { return name_confirmed_; }
    void set_cells_for_testing(const Cells& cells);
    void set_move_count_for_testing(std::int16_t count) { move_count_ = count; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent* event) override;

private:
    void build_controls();
    void describe_controls();
    // Every act of the player on a control comes through `act`: `handler`
    // runs unless the control is frozen or hidden. A click and a screen
    // reader's press on `control` both go there.
    void act(const QWidget* control, const std::function<void()>& handler);
    void on_click_and_press(PictureControl* control, const std::function<void()>& handler);
    // Whichever of the two START OVER pictures shows.
    [[nodiscard]] PictureControl* start_over_button() const;
    [[nodiscard]] QString data_file(std::string_view name) const;
    void load_picture(PictureControl* control, std::string_view name) const;
    void set_app_dir();
    void shuffle_cells();
    void after_move();
    [[nodiscard]] bool check_data_files();
    void check_completion();
    // Records the confirmed name, when one waits and the board is solved:
    // true when it was recorded, or beaten meanwhile and dropped; false, the
    // name still waiting, when the stored table cannot be read just now.
    bool record_confirmed_name();
    void read_highscore_file();

    // For a screen reader: the focus on what the last act concerns,
    // described with what happened.
    void tell_after_frame(std::function<void()> telling);
    void tell_now();
    void show_count();
    void name_cells(const Cells& values);
    void describe_tile(int cell, const QString& what);
    void tell_move(int to);
    void tell_new_game();
    void tell_solved(int cell);
    void tell_name_wanted(int place);
    void tell_recorded(int place);
    void focus_board();
    void write_highscore_file();
    void write_default_highscore_file();

    Platform& platform_;
    QString app_dir_;
    BoardStores stores_;
    std::int16_t move_count_ = 0;
    std::int16_t name_confirmed_ = 0;
    RandomDraws random_;
    JpegPicture background_;  // decoded where it is painted

    std::array<PictureControl*, kCellCount> Image{};
    PictureControl* Image54 = nullptr;
    PictureControl* startover = nullptr;
    PictureControl* kelvane = nullptr;
    PictureControl* welldone = nullptr;
    NameEntry* name_entry_ = nullptr;  // upis, enter_name and ok
    TextLabel* Label2 = nullptr;
    std::array<TextLabel*, kPlaces> place_names{};   // prvo_mesto .. deseto_mesto
    std::array<TextLabel*, kPlaces> place_scores{};  // score_1 .. score_10
    std::unique_ptr<RankingTable> table_;            // the twenty labels and HIGHSCORE.RES
    std::vector<std::function<void()>> to_tell_;  // what a screen reader hears once the frame is drawn
    bool tell_posted_ = false;
    int described_ = 0;       // the tile whose description carries the count, 0 before the first
    int recorded_place_ = 0;  // the place (1..10) the last recorded name took, 0 when it was beaten
};

}  // namespace fifteen
