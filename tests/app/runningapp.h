#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "fakeappdialogs.h"
#include "fakeprompts.h"
#include "form1.h"
#include "relvaneapp.h"

// A started program with scripted prompts and file choices, its settings and recovery folder in
// a temporary folder of its own; the window closes at the end of each test.
class RunningAppTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakePrompts prompts;
    FakeAppDialogs dialogs;
    std::unique_ptr<RelvaneApp> app;

    void SetUp() override {
        app = std::make_unique<RelvaneApp>(&prompts, &dialogs, dir.filePath("Quillo.conf"),
                                           dir.filePath("recovery"));
        app->start();
        prompts.messages.clear();
    }
    void TearDown() override { app->window().close(); }
};
