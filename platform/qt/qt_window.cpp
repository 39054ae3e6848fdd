#include "qt_backend.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPushButton>
#include <QWindow>

#include <cstring>

namespace {

constexpr const char* kOwnerProperty = "afxOwner";

// The client area of a frame window: everything below the menu bar.
class ClientWidget : public QFrame {
public:
    explicit ClientWidget(QWidget* parent) : QFrame(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setCursor(Qt::ArrowCursor);
    }

protected:
    // Called when the window system asks for a repaint: WM_PAINT to the frame.
    void paintEvent(QPaintEvent*) override
    {
        CWnd* owner = OwnerOf(window());
        QPainter painter(this);
        if (owner && owner->GetPeer()) {
            const QRect client = contentsRect();
            painter.save();
            painter.setClipRect(client);
            painter.translate(client.topLeft());
            owner->GetPeer()->painter = &painter;
            owner->SendMessage(WM_PAINT);
            // The handler may have destroyed the window.
            if (CWnd* painted = OwnerOf(window()); painted && painted->GetPeer())
                painted->GetPeer()->painter = nullptr;
            painter.restore();
        }
        drawFrame(&painter);
    }
};

class FrameWidget : public QMainWindow {
protected:
    // Called for every event; a move or resize may be the window manager
    // framing the window, which tells the frame's size.
    bool event(QEvent* event) override
    {
        const bool handled = QMainWindow::event(event);
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
            if (CWnd* owner = OwnerOf(this); owner && owner->GetPeer())
                FitRequestedFrame(this, *owner->GetPeer());
        }
        return handled;
    }

    // Called for the close box and the system menu's Close: WM_CLOSE.
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        if (CWnd* owner = OwnerOf(this))
            owner->SendMessage(WM_CLOSE);
    }
};

void AddMenuItems(QWidget* menu, QWidget* frame, const std::vector<MenuItemResource>& items)
{
    for (const MenuItemResource& item : items) {
        if (item.separator) {
            if (auto* popup = qobject_cast<QMenu*>(menu))
                popup->addSeparator();
            continue;
        }
        if (item.IsPopup()) {
            auto* popup = new QMenu(ToQString(item.text.c_str()), menu);
            AddMenuItems(popup, frame, item.popup);
            menu->addAction(popup->menuAction());
            continue;
        }
        auto* action = new QAction(ToQString(item.text.c_str()), menu);
        action->setData(item.id);
        QObject::connect(action, &QAction::triggered, frame, [frame, id = item.id] { SendCommand(frame, id); });
        menu->addAction(action);
    }
}

QWidget* ClientOf(const CWnd* wnd)
{
    return wnd->GetPeer() ? wnd->GetPeer()->Client() : nullptr;
}

LRESULT ListBoxMessage(QListWidget* list, DWORD style, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int count = list->count();
    const int index = static_cast<int>(wParam);
    const bool valid = index >= 0 && index < count;
    switch (message) {
    case LB_ADDSTRING: {
        const QString text = ToQString(reinterpret_cast<LPCTSTR>(lParam));
        int position = count;
        if (style & LBS_SORT) {
            position = 0;
            while (position < count && QString::compare(list->item(position)->text(), text, Qt::CaseInsensitive) <= 0)
                ++position;
        }
        list->insertItem(position, text);
        return position;
    }
    case LB_GETCOUNT:
        return count;
    case LB_SETCURSEL:
        if (!valid) {
            list->clearSelection();
            return LB_ERR;
        }
        list->setCurrentRow(index);
        list->scrollToItem(list->item(index), QAbstractItemView::PositionAtTop);
        return index;
    case LB_GETCURSEL: {
        const QList<QListWidgetItem*> selected = list->selectedItems();
        return selected.isEmpty() ? LB_ERR : list->row(selected.first());
    }
    case LB_GETTEXTLEN:
        return valid ? static_cast<LRESULT>(list->item(index)->text().toUtf8().size()) : LB_ERR;
    case LB_GETTEXT: {
        if (!valid)
            return LB_ERR;
        const QByteArray text = list->item(index)->text().toUtf8();
        std::memcpy(reinterpret_cast<char*>(lParam), text.constData(), static_cast<std::size_t>(text.size()) + 1);
        return text.size();
    }
    default:
        return 0;
    }
}

}  // namespace

CWnd* OwnerOf(const QWidget* widget)
{
    return widget ? static_cast<CWnd*>(widget->property(kOwnerProperty).value<void*>()) : nullptr;
}

void SetOwner(QWidget* widget, CWnd* owner)
{
    widget->setProperty(kOwnerProperty, QVariant::fromValue(static_cast<void*>(owner)));
}

bool SendCommand(const QWidget* widget, UINT id)
{
    CWnd* owner = OwnerOf(widget);
    if (owner)
        owner->SendMessage(WM_COMMAND, id);
    return owner != nullptr;
}

QWidget* OwnerWidget(CWnd* parent)
{
    if (!parent)
        parent = AfxGetMainWnd();
    return parent && parent->GetPeer() ? parent->GetPeer()->widget.data() : nullptr;
}

void FitRequestedFrame(QWidget* widget, WindowPeer& peer)
{
    const QRect frame = peer.requestedFrame;
    if (!frame.isValid() || !widget->isVisible() || !widget->windowHandle())
        return;
    if (peer.fittedSize.isValid() && widget->size() != peer.fittedSize) {
        peer.requestedFrame = QRect();
        return;
    }
    const QMargins margins = widget->windowHandle()->frameMargins();
    peer.fittedSize = QSize(frame.width() - margins.left() - margins.right(),
                            frame.height() - margins.top() - margins.bottom());
    if (!margins.isNull())
        peer.requestedFrame = QRect();
    if (widget->size() != peer.fittedSize)
        widget->resize(peer.fittedSize);
    if (widget->frameGeometry().topLeft() != frame.topLeft())
        widget->move(frame.topLeft());
}


CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_peer && m_peer->widget) {
        SetOwner(m_peer->widget, nullptr);
        if (!m_peer->widget->parentWidget())
            m_peer->widget->deleteLater();
    }
}

void CWnd::AttachPeer(std::unique_ptr<WindowPeer> peer)
{
    m_peer = std::move(peer);
    if (m_peer && m_peer->widget)
        SetOwner(m_peer->widget, this);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    QWidget* widget = m_peer ? m_peer->widget.data() : nullptr;
    if (!widget)
        return FALSE;
    const BOOL wasVisible = widget->isVisible();
    switch (nCmdShow) {
    case SW_HIDE:
        widget->hide();
        break;
    case SW_SHOWMINIMIZED:
        widget->showMinimized();
        break;
    case SW_SHOWMAXIMIZED:
        widget->showMaximized();
        break;
    default:
        widget->show();
        break;
    }
    FitRequestedFrame(widget, *m_peer);
    return wasVisible;
}

void CWnd::UpdateWindow()
{
    if (QWidget* client = ClientOf(this); client && client->isVisible())
        client->repaint();
}

void CWnd::Invalidate(BOOL)
{
    if (QWidget* client = ClientOf(this))
        client->update();
}

void CWnd::GetClientRect(RECT* rect) const
{
    *rect = CRect();
    if (QWidget* client = ClientOf(this)) {
        const QRect area = client->contentsRect();
        *rect = CRect(0, 0, area.width(), area.height());
    }
}

BOOL CWnd::DestroyWindow()
{
    if (!m_peer)
        return FALSE;
    std::unique_ptr<WindowPeer> peer = std::move(m_peer);
    if (peer->widget) {
        SetOwner(peer->widget, nullptr);
        peer->widget->hide();
        peer->widget->deleteLater();
    }
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        AfxEndMessageLoop();
    }
    PostNcDestroy();
    return TRUE;
}

void CWnd::SetWindowText(LPCTSTR text)
{
    QWidget* widget = m_peer ? m_peer->widget.data() : nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(ToQString(text));
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        button->setText(ToQString(text));
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(ToQString(text));
    else if (widget)
        widget->setWindowTitle(ToQString(text));
}

int CWnd::GetWindowText(std::string& text, int maxCount) const
{
    QWidget* widget = m_peer ? m_peer->widget.data() : nullptr;
    QString full;
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        full = edit->text();
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        full = button->text();
    else if (auto* label = qobject_cast<QLabel*>(widget))
        full = label->text();
    else if (widget)
        full = widget->windowTitle();
    // A window's text ends at its first NUL, as C strings do; the limit is
    // counted in characters, so that no character is cut in half.
    if (const qsizetype nul = full.indexOf(QChar(u'\0')); nul >= 0)
        full.truncate(nul);
    const std::u32string characters = full.toStdU32String();
    const auto count = std::min<std::size_t>(characters.size(), static_cast<std::size_t>(std::max(0, maxCount - 1)));
    text = QString::fromStdU32String(characters.substr(0, count)).toStdString();
    return static_cast<int>(count);
}

CWnd* CWnd::GetDlgItem(int id) const
{
    if (m_peer) {
        for (const auto& control : m_peer->controls) {
            if (control->GetPeer() && control->GetPeer()->controlId == id)
                return control.get();
        }
    }
    return nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_PAINT: {
        CPaintDC validate(this);
        return 0;
    }
    default:
        if (auto* list = m_peer ? qobject_cast<QListWidget*>(m_peer->widget.data()) : nullptr)
            return ListBoxMessage(list, m_peer->style, message, wParam, lParam);
        return 0;
    }
}


BOOL CWnd::CreateTopLevel(CREATESTRUCT& cs, CWnd* parent, UINT menuId)
{
    if (!PreCreateWindow(cs))
        return FALSE;
    auto* frame = new FrameWidget;
    if (QWidget* owner = parent && parent->GetPeer() ? parent->GetPeer()->widget.data() : nullptr)
        frame->setParent(owner, Qt::Window);
    frame->setWindowTitle(ToQString(cs.lpszName));
    auto* client = new ClientWidget(frame);
    if (cs.dwExStyle & WS_EX_CLIENTEDGE) {
        client->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        client->setLineWidth(2);
    }
    frame->setCentralWidget(client);
    if (cs.lpszClass) {
        if (const WindowClassInfo* info = FindWindowClass(cs.lpszClass)) {
            if (info->icon)
                frame->setWindowIcon(info->icon->icon);
            if (info->cursor)
                client->setCursor(info->cursor->shape);
        }
    }
    if (menuId) {
        const auto& menus = AfxGetResourceScript().menus;
        if (const auto menu = menus.find(static_cast<int>(menuId)); menu != menus.end())
            AddMenuItems(frame->menuBar(), frame, menu->second.items);
    }
    frame->move(cs.x, cs.y);
    frame->resize(cs.cx, cs.cy);

    auto peer = std::make_unique<WindowPeer>();
    peer->widget = frame;
    peer->paintSurface = client;
    peer->requestedFrame = QRect(cs.x, cs.y, cs.cx, cs.cy);
    peer->style = cs.style;
    AttachPeer(std::move(peer));
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle)
{
    const bool useDefault = CRect(rect.left, rect.top, rect.right, rect.bottom) == rectDefault;
    CREATESTRUCT cs{lpszClassName,
                    lpszWindowName,
                    dwStyle,
                    dwExStyle,
                    rect.left,
                    rect.top,
                    useDefault ? 640 : rect.right - rect.left,
                    useDefault ? 480 : rect.bottom - rect.top};
    const UINT menuId = lpszMenuName && IS_INTRESOURCE(lpszMenuName)
                            ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszMenuName))
                            : 0;
    return CreateTopLevel(cs, pParentWnd, menuId);
}
