// A fixture that starts the program headless as it starts for a person: every form created,
// the main window first, with the random source at a known seed. The forms are freed after
// each test so that the next one starts fresh.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "app/AboutZorvan.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanProgram.h"
#include "classlib/Forms.h"
#include "classlib/Random.h"

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startDir_ = std::filesystem::current_path();
    RandSeed = 1;
    Application->Title = "Zorvan";
    CreateAllForms();
    // Anything modal that a test did not expect fails the test instead of waiting.
    Application->Hooks.ModalForm = [](TCustomForm* form) {
      ADD_FAILURE() << "unexpected modal form " << form->Name();
    };
  }
  void TearDown() override {
    std::filesystem::current_path(startDir_);
    while (!Application->Forms().empty()) delete Application->Forms().back();
    Application->ForgetFormReferences();
  }
  std::filesystem::path startDir_;
};
