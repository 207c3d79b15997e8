#pragma once
// The real main window over a table in a temporary directory, offscreen, with every message box
// answered by the test and its tray icon in a notification area of the test's.

#include "app/FormData.h"
#include "app/FormMain.h"
#include "app/FormMainView.h"
#include "app/NamedChild.h"
#include "support/FakeNotifyArea.h"
#include "support/TempDir.h"
#include "ui/skin/ZYInfoDlgForm.h"

#include <QLabel>
#include <QString>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <utility>
#include <vector>

struct AskedDialog {
    QString caption;
    QString text;
    std::vector<QString> buttons; // left to right
};

class FormMainFixture : public ::testing::Test {
protected:
    FormMainFixture();
    ~FormMainFixture() override;

    void AddWords(const std::vector<std::pair<std::string, std::string>>& words);
    // Shows the window and waits until its start, first paint included, is complete.
    void Show();
    // The window's control of that name.
    template <class W> W& Widget(const char* name) { return NamedChild<W>(*form, name); }

    TempDir dir;
    TFormData data;
    std::vector<Sent> traySent; // what the tray icon sent its notification area
    FakeNotifyArea* trayArea;
    std::unique_ptr<TFormMain> form;
    std::deque<int> answers; // codes for the next message boxes; 2 when none is left
    std::vector<AskedDialog> asked;
    std::vector<QUrl> opened;
};
