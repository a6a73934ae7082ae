#pragma once

#include <QWidget>

class Prompts;

// The about window "關於 Relvane": the program's title, version, description and notes, with
// "確定" to close it and "系統資訊(&S)..." to start the desktop's system-information program.
// It never blocks: show it with show().
class frmAbout : public QWidget {
    Q_OBJECT
public:
    explicit frmAbout(Prompts& prompts, QWidget* parent = nullptr);

    // The folders searched for the system-information program (':'-separated); $PATH unless set.
    void setSystemInfoSearchPath(const QString& searchPath) { searchPath_ = searchPath; }

private:
    Prompts& prompts_;
    QString searchPath_;
};

// Creates the about window, freed when it closes, and shows it without waiting.
frmAbout* showAboutWindow(Prompts& prompts, QWidget* parent = nullptr);
