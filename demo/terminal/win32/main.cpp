// vantrope-demo-terminal.exe: the demo terminal as a Windows program, for
// running under Wine as the real terminal does. The same chart, schedule and
// commands as the X11 program; the window is drawn with GDI, commands come
// on standard input (a pipe or a file) and answers go to standard output.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

#include "demo/terminal/demo_terminal.h"

namespace {

using vantrope::demo::terminal::DemoTerminal;
using vantrope::demo::terminal::PixelBuffer;

// A line of input, handed from the reader thread to the window's thread.
constexpr UINT kInputLine = WM_APP + 1;
const wchar_t* const kAlertClass = L"VantropeDemoAlert";


std::wstring Wide(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(size > 0 ? size : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), size);
  wide.resize(wide.size() - 1);
  return wide;
}

void PrintLine(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

struct Terminal {
  DemoTerminal& chart;
  PixelBuffer picture;
  HWND window = nullptr;
  HWND alert = nullptr;
};

Terminal* TerminalOf(HWND window) { return reinterpret_cast<Terminal*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

void Redraw(Terminal& terminal) {
  terminal.picture = terminal.chart.Render();
  SetWindowTextW(terminal.window, Wide(terminal.chart.Caption()).c_str());
  InvalidateRect(terminal.window, nullptr, FALSE);
  // Painted before an answer tells of the change.
  UpdateWindow(terminal.window);
  GdiFlush();
}

void Paint(Terminal& terminal, HDC dc) {
  const PixelBuffer& picture = terminal.picture;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;  // 0x00RRGGBB is the DIB's blue, green, red, unused
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(picture.width), static_cast<DWORD>(picture.height), 0, 0, 0,
                    static_cast<UINT>(picture.height), picture.pixels.data(), &info, DIB_RGB_COLORS);
}

// The indicator's alert box: a small window owned by the chart, with a
// caption that names no chart, as a message box is.
HWND OpenAlert(HWND chart) {
  RECT chart_rect{};
  GetWindowRect(chart, &chart_rect);
  const int width = 300, height = 120;
  HWND alert = CreateWindowExW(WS_EX_DLGMODALFRAME, kAlertClass, L"Alert", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               (chart_rect.left + chart_rect.right - width) / 2,
                               (chart_rect.top + chart_rect.bottom - height) / 2, width, height, chart, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ShowWindow(alert, SW_SHOWNOACTIVATE);
  UpdateWindow(alert);
  return alert;
}

void HandleLine(Terminal& terminal, const std::string& line, bool& quit) {
  const DemoTerminal::LineResult result = terminal.chart.HandleLine(line);
  if (result.changed) Redraw(terminal);
  if (result.alert) {
    if (terminal.alert != nullptr) DestroyWindow(terminal.alert);
    terminal.alert = *result.alert ? OpenAlert(terminal.window) : nullptr;
  }
  if (!result.reply.empty()) PrintLine(result.reply);
  quit = result.quit;
}

LRESULT CALLBACK ChartProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Terminal* terminal = TerminalOf(window);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (terminal != nullptr) Paint(*terminal, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the picture covers the whole window
    case WM_SIZE:
      if (terminal != nullptr && terminal->chart.Resize(LOWORD(lparam), HIWORD(lparam))) Redraw(*terminal);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

// Reads standard input line by line and hands each line to the window; at
// its end the terminal goes on by its schedule.
void ReadInput(HWND window) {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    PostMessageW(window, kInputLine, 0, reinterpret_cast<LPARAM>(new std::string(line)));
  }
}

bool RegisterClasses(const std::wstring& chart_class) {
  WNDCLASSW chart{};
  chart.lpfnWndProc = ChartProcedure;
  chart.hInstance = GetModuleHandleW(nullptr);
  chart.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  chart.lpszClassName = chart_class.c_str();
  WNDCLASSW alert{};
  alert.lpfnWndProc = DefWindowProcW;
  alert.hInstance = chart.hInstance;
  alert.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  alert.lpszClassName = kAlertClass;
  return RegisterClassW(&chart) != 0 && RegisterClassW(&alert) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  int exit_code = 0;
  const auto options = vantrope::demo::terminal::CommandLineOptions(argc, argv, exit_code);
  if (!options) return exit_code;
  // Answers end in a bare line feed, as the X11 program's do.
  _setmode(_fileno(stdout), _O_BINARY);
  const std::wstring chart_class = Wide(options->window_class);
  if (!RegisterClasses(chart_class)) {
    std::cerr << "vantrope-demo-terminal: cannot register the window classes\n";
    return 1;
  }

  vantrope::demo::terminal::SteadyClock clock;
  DemoTerminal chart(*options, clock);
  Terminal terminal{chart, {}, nullptr, nullptr};
  // The geometry is the chart's own area; the frame comes around it.
  RECT frame{0, 0, options->geometry.width, options->geometry.height};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  terminal.window = CreateWindowExW(0, chart_class.c_str(), Wide(chart.Caption()).c_str(), WS_OVERLAPPEDWINDOW,
                                    options->geometry.x, options->geometry.y, frame.right - frame.left,
                                    frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (terminal.window == nullptr) {
    std::cerr << "vantrope-demo-terminal: cannot create the window\n";
    return 1;
  }
  SetWindowLongPtrW(terminal.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&terminal));
  RECT client{};
  GetClientRect(terminal.window, &client);
  chart.Resize(client.right, client.bottom);
  ShowWindow(terminal.window, SW_SHOWNORMAL);
  Redraw(terminal);
  char id[32];
  std::snprintf(id, sizeof id, "window 0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(terminal.window)));
  PrintLine(id);

  std::thread(ReadInput, terminal.window).detach();
  for (bool quit = false; !quit;) {
    if (chart.CatchUp()) Redraw(terminal);
    const DWORD wait_ms = static_cast<DWORD>(std::min<int64_t>(chart.MsUntilNextEvent(), 1000000));
    MsgWaitForMultipleObjects(0, nullptr, FALSE, wait_ms, QS_ALLINPUT);
    MSG message;
    while (!quit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
      } else if (message.message == kInputLine) {
        const std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(message.lParam));
        HandleLine(terminal, *line, quit);
      } else {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }
  // Lines still queued are freed with the process.
  return 0;
}
