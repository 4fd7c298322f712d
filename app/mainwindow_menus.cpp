// Menus, tool bar and command dispatch of the main window.
#include "mainwindow.h"

void MainWindow::CreatMenuBar()
{
}

void MainWindow::UpdataMenuComN(QMenu *)
{
}

void MainWindow::SlotMenuClicked()
{
}

void MainWindow::CreatHelpProcess()
{
}
