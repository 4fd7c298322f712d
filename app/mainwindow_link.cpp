// Read and write operations of the main window.
#include "mainwindow.h"

void MainWindow::SlotRadioReadFreqOp()
{
}

void MainWindow::SlotRadioWriteFreqOp()
{
}
