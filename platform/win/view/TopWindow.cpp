#include "platform/win/view/TopWindow.h"

namespace orvane::win {

namespace {

constexpr const wchar_t* kClassName = L"OrvaneWindow";
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, in headers only for Windows 8.1 and later
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

}  // namespace

void TopWindow::registerClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = &TopWindow::procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = kClassName;
    // The program's own icon (resource 1), where the executable has one.
    type.hIcon = LoadIconW(type.hInstance, MAKEINTRESOURCEW(1));
    registered = RegisterClassExW(&type) != 0;
}

TopWindow::TopWindow(const Window& preview, Window& model, ViewContext& context, Handlers handlers)
    : m_model(model), m_shown(&preview), m_context(context), m_handlers(std::move(handlers)) {
    registerClass();
    m_hwnd = CreateWindowExW(0, kClassName, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr,
                             GetModuleHandleW(nullptr), this);
    for (Prop prop : {Prop::Text, Prop::Geometry})
        apply(prop);
}

void TopWindow::follow() {
    if (m_placed) return;
    m_shown = &m_model;
    for (Prop prop : {Prop::Text, Prop::Geometry})
        apply(prop);
    m_placed = true;
    std::weak_ptr<int> alive = m_alive;
    m_model.observe([this, alive](Prop prop, int) {
        if (!alive.expired()) apply(prop);
    });
}

TopWindow::~TopWindow() {
    if (!IsWindow(m_hwnd)) return;
    // Destroyed without its handlers: they belong to what is being torn down.
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hwnd);
}

PixelRect TopWindow::outerPixels() const {
    return toPixels(m_shown->geometry(), m_context.dpi);
}

void TopWindow::show() {
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    UpdateWindow(m_hwnd);
}

LRESULT CALLBACK TopWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* created = static_cast<TopWindow*>(create->lpCreateParams);
        created->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<TopWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT TopWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (m_handlers.route && m_handlers.route(message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_MOVE:
            moved();
            return 0;
        case WM_CLOSE:
            closeOnce();
            DestroyWindow(m_hwnd);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The session ends: the process goes without another message, so shut-down runs now.
            if (wParam) closeOnce();
            return 0;
        case WM_DESTROY:
            if (m_handlers.onDestroyed) m_handlers.onDestroyed();
            return 0;
        case kDpiChanged:
            dpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            return DefWindowProcW(m_hwnd, message, wParam, lParam);
    }
}

void TopWindow::apply(Prop prop) {
    if (prop == Prop::Text) {
        const std::wstring title = toWide(m_shown->caption());
        wchar_t shown[256] = {};
        GetWindowTextW(m_hwnd, shown, 256);
        if (title != shown) SetWindowTextW(m_hwnd, title.c_str());
    } else if (prop == Prop::Geometry) {
        showGeometry();
    }
}

void TopWindow::showGeometry() {
    const PixelRect wanted = outerPixels();
    RECT now{};
    GetWindowRect(m_hwnd, &now);
    if (PixelRect{now.left, now.top, now.right - now.left, now.bottom - now.top} == wanted) return;
    SetWindowPos(m_hwnd, nullptr, wanted.x, wanted.y, wanted.width, wanted.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TopWindow::moved() {
    // The model keeps twips; a position that is the model's own in pixels leaves it as it is, so
    // a position in twips that is not a whole pixel survives. The window's first place (before the
    // model's) and a minimised window's are not the model's.
    if (!m_placed || IsIconic(m_hwnd)) return;
    RECT now{};
    GetWindowRect(m_hwnd, &now);
    const PixelRect wanted = outerPixels();
    if (now.left == wanted.x && now.top == wanted.y) return;
    Rect geometry = m_model.geometry();
    geometry.left = pixelsToTwips(now.left, m_context.dpi);
    geometry.top = pixelsToTwips(now.top, m_context.dpi);
    m_model.setGeometry(geometry);
}

void TopWindow::closeOnce() {
    if (m_closed) return;
    m_closed = true;
    if (m_handlers.onClose) m_handlers.onClose();
}

void TopWindow::dpiChanged(int dpi, const RECT& suggested) {
    // The window keeps its place where the system puts it and takes the model's size at the new
    // dpi; the controls follow.
    m_context.dpi = dpi;
    if (m_placed) {
        Rect geometry = m_model.geometry();
        geometry.left = pixelsToTwips(suggested.left, dpi);
        geometry.top = pixelsToTwips(suggested.top, dpi);
        m_model.setGeometry(geometry);
    }
    setDpi(dpi);
}

void TopWindow::setDpi(int dpi) {
    m_context.dpi = dpi;
    showGeometry();
    if (m_handlers.onDpiChanged) m_handlers.onDpiChanged();
}

}  // namespace orvane::win
