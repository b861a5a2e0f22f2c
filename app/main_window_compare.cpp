#include "app/main_window.h"
namespace menuforge {
void MainWindow::CreateComparison() {}
void MainWindow::CompareWith() {}
}
