#pragma once
// The main window with a copy of the sample portfolio open, for tests that go through its
// menus and windows. Nothing is saved on the way out; the copy is removed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <filesystem>
#include <memory>
#include <string>

#include "frames/ChildFrame.h"
#include "frames/MainFrame.h"
#include "qt/DocumentSession.h"
#include "tests/forms/FormsTestUtil.h"

namespace guitest {

class SampleWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = std::filesystem::temp_directory_path() /
            ("kapibuch-window-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
    const auto file = m_dir / "sample.kpz";
    std::filesystem::copy_file(std::string(KAPIBUCH_TEST_DATA) + "/sample.kpz", file);
    m_frame = std::make_unique<MainFrame>(m_settings, m_prompter, testutil::TestClock());
    m_frame->resize(1400, 900);
    m_frame->show();
    m_window = m_frame->OpenFile(QString::fromStdString(file.string()));
    ASSERT_NE(m_window, nullptr);
  }
  void TearDown() override {
    m_prompter.answers.assign(4, platform::Answer::No);  // no saving on the way out
    m_frame.reset();
    std::filesystem::remove_all(m_dir);
  }
  // The command with this menu text.
  QAction* Action(const QString& text) const {
    for (QAction* a : m_frame->findChildren<QAction*>()) {
      if (a->text() == text) return a;
    }
    ADD_FAILURE() << "no command " << text.toStdString();
    return nullptr;
  }
  CKapibuchDoc& Doc() { return m_window->Session().Doc(); }

  platform::MemorySettingsStore m_settings;
  testutil::ScriptedPrompter m_prompter;
  std::unique_ptr<MainFrame> m_frame;
  std::filesystem::path m_dir;
  ChildFrame* m_window = nullptr;
};

}  // namespace guitest
