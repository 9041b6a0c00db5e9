#pragma once

#include <functional>

class QDialog;

// Runs act on the next modal dialog as soon as it shows, while its exec() runs. A dialog
// that act leaves open is closed after a while so that a failing test cannot hang.
void whenModal(std::function<void(QDialog *)> act);
