#include "engine/GameEngine.h"
#include "tests/engine/EngineRig.h"
#include "tests/engine/WellText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

struct TEffectCase
{
    std::string Name;
    std::function<void(TEngineRig&)> Prepare;
    std::function<void(TEngineRig&)> Act;
    std::vector<TEffect> Effects; // with sound on
};

void Nothing(TEngineRig&) {}

TEST(EffectsTest, EachEventPlaysItsSoundOnlyWhenSoundIsOn)
{
    const TEffectCase cases[] = {
        {"new game", Nothing, [](TEngineRig& r) { r.Engine.NewGame(); }, {TEffect::Drop}},
        {"landing without a clear", [](TEngineRig& r) { r.Play(MakeBlock({1, 2, 3}, true), 0, 16); },
         [](TEngineRig& r) { r.FallOneRow(); }, {TEffect::Drop}},
        {"landing with two clearing passes",
         [](TEngineRig& r) {
             r.Play(MakeBlock({2, 1}, false), 0, 13);
             r.Engine.Board = GridFromBottom(17, {".11......", "246......", "235......"});
         },
         [](TEngineRig& r) { r.FallOneRow(); }, {TEffect::Disappear, TEffect::Disappear}},
        {"hard drop without a clear", [](TEngineRig& r) { r.Play(MakeBlock({1, 2, 3}, true), 0, 0); },
         [](TEngineRig& r) { r.Engine.FormKeyDown(r.Settings.DropKey); }, {TEffect::Drop}},
        {"hard drop completing a run",
         [](TEngineRig& r) {
             r.Play(MakeBlock({1, 1}, true), 0, 0);
             r.Engine.Board = GridFromBottom(17, {"..1......"});
         },
         [](TEngineRig& r) { r.Engine.FormKeyDown(r.Settings.DropKey); }, {TEffect::Disappear}},
        {"colours cycled", [](TEngineRig& r) { r.Play(MakeBlock({1, 2, 3}, true), 2, 2); },
         [](TEngineRig& r) { r.Engine.FormKeyDown(r.Settings.RColorKey); }, {TEffect::Rotate}},
        {"colours of one cell", [](TEngineRig& r) { r.Play(MakeBlock({1}, true), 2, 2); },
         [](TEngineRig& r) { r.Engine.FormKeyDown(r.Settings.RColorKey); }, {}},
        {"piece turned", [](TEngineRig& r) { r.Play(MakeBlock({1, 2, 3}, true), 2, 2); },
         [](TEngineRig& r) { r.Engine.FormKeyDown(r.Settings.RBlockKey); }, {TEffect::Move}},
        {"turn refused at the floor", [](TEngineRig& r) { r.Play(MakeBlock({1, 2, 3}, true), 2, 16); },
         [](TEngineRig& r) { r.Engine.FormKeyDown(r.Settings.RBlockKey); }, {}},
        {"moved left and right", [](TEngineRig& r) { r.Play(MakeBlock({1, 2, 3}, true), 2, 2); },
         [](TEngineRig& r) {
             r.Engine.FormKeyDown(r.Settings.LeftKey);
             r.Engine.FormKeyDown(r.Settings.RightKey);
             r.Engine.FormKeyDown(r.Settings.RightKey);
         },
         {}},
        {"falling", [](TEngineRig& r) { r.Play(MakeBlock({1, 2, 3}, true), 2, 2); },
         [](TEngineRig& r) {
             for (int tick = 0; tick < 60; ++tick)
                 r.Engine.TimerTick();
         },
         {}},
        {"paused and resumed", [](TEngineRig& r) { r.Play(MakeBlock({1, 2, 3}, true), 2, 2); },
         [](TEngineRig& r) {
             r.Engine.PauseMenuClick();
             r.Engine.FocusLost();
             r.Engine.PauseMenuClick();
         },
         {}},
        {"game over",
         [](TEngineRig& r) {
             r.Engine.NewGame();
             r.Engine.Board = GridFromBottom(17, std::vector<std::string>(17, "....1...."));
             r.Engine.NextBlock = MakeBlock({2, 3, 4}, true);
         },
         [](TEngineRig& r) { r.Engine.TimerTick(); }, {}},
    };
    for (const TEffectCase& c : cases)
        for (bool soundOn : {true, false})
        {
            SCOPED_TRACE(c.Name + (soundOn ? ", sound on" : ", sound off"));
            TSettings settings = TEngineRig::ModeSettings(3, 7, 9, 17, 3);
            settings.SoundOn = soundOn;
            TEngineRig rig(settings);
            c.Prepare(rig);
            rig.View.Clear();
            c.Act(rig);
            EXPECT_EQ(rig.View.Effects(), soundOn ? c.Effects : std::vector<TEffect>{}) << rig.View.Dump();
        }
}

TEST(EffectsTest, ClearingSoundComesBeforeItsDissolve)
{
    TEngineRig rig(TEngineRig::ModeSettings(3, 7, 9, 17, 3));
    rig.Play(MakeBlock({1, 1, 1}, true), 0, 16);
    rig.View.Clear();
    rig.FallOneRow();
    const int sound = rig.View.IndexOf(TViewCall::PlayEffect);
    ASSERT_GE(sound, 0);
    EXPECT_LT(sound, rig.View.IndexOf(TViewCall::DrawDissolveFrame));
}

} // namespace
