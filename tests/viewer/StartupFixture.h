#pragma once
// Runs the viewer's start-up in the test process, with a command line of the
// test's choosing, and records the shell commands it carries out.
#include "tests/common/TestEnvironment.h"
#include "viewer/app/CLumivueApp.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class CMainFrame;
class CLumivueDoc;

struct ShellCall {
    int command;
    QString fileName;
    bool operator==(const ShellCall&) const = default;
};

class RecordingApp : public CLumivueApp {
public:
    BOOL ProcessShellCommand(CCommandLineInfo& info) override;

    std::vector<ShellCall> calls;
    // When set, the command is only recorded.
    bool recordOnly = false;
    // When set, the next command throws this framework exception.
    bool throwOnCommand = false;
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the application with args (without the program name); prepare
    // may set the application up before its InitInstance runs.
    BOOL Start(const QStringList& args, const std::function<void(RecordingApp&)>& prepare = {});
    // A file in the private home with the given content.
    QString MakeFile(const QString& name, const QByteArray& content = "not an image");

    CMainFrame* MainFrame() const;
    std::vector<CLumivueDoc*> Documents() const;
    QString ProfilePath() const;
    void WriteSetting(const QString& key, const QVariant& value);

    std::unique_ptr<RecordingApp> app;
};
