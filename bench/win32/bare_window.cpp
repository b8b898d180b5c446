// The bare yardstick of the start-up benchmark: the main window's frame and size holding one
// read-only text box with the information report, nothing else.
#include "Yardstick.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    HWND window = yardstick::MainWindow(instance, "BareWindow");
    yardstick::ReportBox(window, 0, 0, 512, 383, yardstick::MakeFont("ＭＳ ゴシック", FIXED_PITCH | FF_MODERN));
    return yardstick::Run(window, show);
}
