// The settings tests with KLUNO's game description in force: its default
// settings and its settings key open.
#pragma once

#include "frame/game.h"
#include "frame/settings.h"
#include "programs/kluno/kluno_game.h"
#include "tests/settings/fakes.h"

namespace settings_test {

class KlunoTest : public SettingsTest {
  protected:
    frame::GameDescription game = kluno_program::KlunoGame(nullptr);
    void SetUp() override {
        SettingsTest::SetUp();
        frame::UseGame(game);
        frame::Settings = frame::DefaultSettings();
        registry.keyExists = true;
        ASSERT_EQ(frame::CreateSettingsKey("KLUNO"), 1);
    }
    void TearDown() override {
        frame::CloseSettingsKey();
        SettingsTest::TearDown();
    }
};

} // namespace settings_test
