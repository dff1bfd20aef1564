#pragma once

// The menu screen laid over the table: the three choices, "Let's Play!", the
// demonstration link, the sound and music icons, the author's links, the
// credit lines and "EXIT". It hands the choices to the game and the switches
// to the sound room; it owns its controls.

#include "game/game.h"
#include "window/picture_box.h"

#include <array>

class QComboBox;

namespace zandrel {

class SoundRoom;
class TextLabel;

/// A caption of a menu-screen box and the value it stands for.
struct MenuChoice {
    const char* caption;
    int value;
};
/// The menu-screen boxes' choices; the first of each is preselected, the
/// target points at kDefaultTargetPoints.
inline constexpr MenuChoice kGameKindChoices[] = {{"４つ球", int(GameKind::fourBall)},
                                                  {"３つ球", int(GameKind::threeBall)}};
inline constexpr MenuChoice kPlayerChoices[] = {{"独り撞き", 0}, {"二人撞き", 1}};
inline constexpr int kTargetPointChoices[] = {3, 5, 8, 10, 15};

class MenuScreen : public PictureBox {
    Q_OBJECT
public:
    explicit MenuScreen(QWidget* parent);

    /// From here on the choices go to `game` and the switches to `sound`.
    void attach(Game& game, SoundRoom& sound);

    // Start-up steps.
    /// The version and release labels.
    void showVersion();
    /// The three boxes at their first choices: solo, four-ball, 5 points.
    void setDefaultChoices();

    /// index 0: the sound-on icon (turns the sound off), 1: the sound-off icon.
    void picSound_Click(int index);
    /// index 0: the music-on icon (turns the music off), 1: the music-off icon.
    void picBGM_Click(int index);

private:
    void createChoices();
    void createIcons();
    void createLabels();
    void connectInput();
    /// The three boxes as the game takes them.
    GameChoice choice() const;
    void picMenu_MouseMove();
    void lblMail_MouseMove();
    void lblToHP_MouseMove();

    Game* game_ = nullptr;
    SoundRoom* sound_ = nullptr;

    QComboBox* cmbPoints_ = nullptr;
    QComboBox* cmbVSMode_ = nullptr;
    QComboBox* cmbGameName_ = nullptr;
    std::array<PictureBox*, 2> picSound_{}; ///< 0 shown while the sound is on, 1 while off
    std::array<PictureBox*, 2> picBGM_{};   ///< 0 shown while the music is on, 1 while off
    TextLabel* Label2_ = nullptr;
    TextLabel* lblRelease_ = nullptr;
    TextLabel* lblVersion_ = nullptr;
    TextLabel* lblExit_ = nullptr;
    TextLabel* lblLetsPlay_ = nullptr;
    TextLabel* lblMail_ = nullptr;
    TextLabel* lblToHP_ = nullptr;
    TextLabel* lblHelp_ = nullptr;
    std::array<TextLabel*, 2> lblCopyright_{};
};

} // namespace zandrel
