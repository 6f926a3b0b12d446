#include "input/Gamepads.h"
#include "tests/input/VirtualPad.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <QLoggingCategory>

#include <string>
#include <vector>

namespace
{
class TRecordingTarget : public IPadTarget
{
public:
    void PadAction(TPlayerAction action) override { Calls.push_back(Names[int(action)]); }
    void PadRelease() override { Calls.push_back("release"); }
    void PadPause() override { Calls.push_back("pause"); }
    void PadNewGame() override { Calls.push_back("new game"); }
    void PadDisconnected() override { Calls.push_back("disconnected"); }

    std::vector<std::string> Take() { return std::exchange(Calls, {}); }

private:
    static constexpr const char* Names[] = {"none", "left", "right", "drop", "colours", "turn"};
    std::vector<std::string> Calls;
};

class GamepadsTest : public testing::Test
{
protected:
    void Pump(uint32_t at)
    {
        Clock.Now = at;
        Pads.Pump();
    }

    TRecordingTarget Target;
    TFakeClock Clock{0};
    TGamepads Pads{Target, Clock};
};

TEST_F(GamepadsTest, EachControlDoesItsAction)
{
    TVirtualPad pad;
    ASSERT_TRUE(pad.Attached());
    Pump(0); // a controller attached while the game runs works at once
    ASSERT_EQ(Pads.Count(), 1);
    struct TCase
    {
        SDL_GameControllerButton Button;
        std::vector<std::string> Expected;
    };
    const TCase cases[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, {"left", "release"}},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, {"right", "release"}},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, {"drop", "release"}},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, {"left", "release"}},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, {"right", "release"}},
        {SDL_CONTROLLER_BUTTON_A, {"colours", "release"}},
        {SDL_CONTROLLER_BUTTON_B, {"turn", "release"}},
        {SDL_CONTROLLER_BUTTON_START, {"pause"}},
        {SDL_CONTROLLER_BUTTON_BACK, {}}, // a short press of Back does nothing
        {SDL_CONTROLLER_BUTTON_X, {}},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, {}},
    };
    for (const TCase& c : cases)
    {
        SCOPED_TRACE(SDL_GameControllerGetStringForButton(c.Button));
        pad.Button(c.Button, true);
        Pump(10);
        pad.Button(c.Button, false);
        Pump(20);
        EXPECT_EQ(Target.Take(), c.Expected);
    }
}

TEST_F(GamepadsTest, HeldStickRepeatsAsAHeldKeyAndBackHeldStartsANewGame)
{
    TVirtualPad pad;
    Pump(0);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -30000);
    Pump(1000);
    EXPECT_EQ(Target.Take(), std::vector<std::string>{"left"});
    Pump(1399);
    EXPECT_TRUE(Target.Take().empty()) << "the repeat waits as a key's does";
    Pump(1400);
    Pump(1440);
    Pump(1520); // a late look repeats once, not twice
    EXPECT_EQ(Target.Take(), (std::vector<std::string>{"left", "left", "left"}));
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -14000); // past the let-go point still held
    Pump(1560);
    EXPECT_EQ(Target.Take(), std::vector<std::string>{"left"});
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    Pump(1600);
    EXPECT_EQ(Target.Take(), std::vector<std::string>{"release"});
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 30000);
    Pump(2000);
    Pump(3000);
    EXPECT_EQ(Target.Take(), std::vector<std::string>{"drop"}) << "a held drop does not repeat";
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);

    pad.Button(SDL_CONTROLLER_BUTTON_BACK, true);
    Pump(5000);
    Pump(5999);
    EXPECT_EQ(Target.Take(), std::vector<std::string>{"release"});
    Pump(6000);
    Pump(7000);
    EXPECT_EQ(Target.Take(), std::vector<std::string>{"new game"}) << "once per press";
}

TEST_F(GamepadsTest, PollsOnlyWhileAControllerIsAttachedAndFastOnlyInAGame)
{
    EXPECT_EQ(Pads.PollInterval(), 0);
    Pads.SetGamePace(TGamepads::TGamePace::Playing);
    EXPECT_EQ(Pads.PollInterval(), 0) << "no controller, nothing to poll";
    {
        TVirtualPad first;
        TVirtualPad second;
        Pump(0);
        EXPECT_EQ(Pads.Count(), 2);
        EXPECT_EQ(Pads.PollInterval(), TGamepads::PlayingPoll);
        Pads.SetGamePace(TGamepads::TGamePace::Paused);
        EXPECT_EQ(Pads.PollInterval(), TGamepads::PausedPoll);
        Pads.SetGamePace(TGamepads::TGamePace::Stopped);
        EXPECT_EQ(Pads.PollInterval(), TGamepads::StoppedPoll);
        second.Button(SDL_CONTROLLER_BUTTON_B, true);
        Pump(10);
        EXPECT_EQ(Target.Take(), std::vector<std::string>{"turn"}) << "every controller plays";
        EXPECT_EQ(Pads.PollInterval(), TGamepads::PlayingPoll) << "a held control is read often";
        first.Unplug();
        Pump(20);
        EXPECT_EQ(Target.Take(), std::vector<std::string>{"disconnected"});
        EXPECT_EQ(Pads.Count(), 1);
    }
    Pump(30);
    EXPECT_EQ(Pads.Count(), 0);
    EXPECT_EQ(Pads.PollInterval(), 0);
}

TEST_F(GamepadsTest, JoystickWithoutMappingIsIgnoredWithOneQuietLine)
{
    static std::vector<std::string> lines;
    lines.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("pelmo.input.gamepad.info=true"));
    const QtMessageHandler before = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { lines.push_back(text.toStdString()); });
    {
        TVirtualPad odd(false, "Odd stick");
        ASSERT_TRUE(odd.Attached());
        Pump(0);
        Pump(10);
    }
    qInstallMessageHandler(before);
    QLoggingCategory::setFilterRules({});
    EXPECT_EQ(Pads.Count(), 0);
    EXPECT_TRUE(Target.Take().empty());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("Odd stick"), std::string::npos) << lines[0];
    EXPECT_FALSE(GamepadLog().isInfoEnabled()) << "quiet unless asked for";
}
} // namespace
