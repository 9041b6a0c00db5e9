#pragma once

#include <QString>

#include <memory>

class Dialogs;
class TMainForm;

// The main window started on a prepared program folder, without the splash wait, shown.
std::unique_ptr<TMainForm> StartMainWindow(const QString &programDir, Dialogs &dialogs);
