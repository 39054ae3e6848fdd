#include "qt_backend.h"

#include <QGuiApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

namespace {

class DialogWidget : public QDialog {
public:
    explicit DialogWidget(QWidget* owner) : QDialog(owner) {}

    // Called when Qt itself would accept the dialog: the OK command, so that
    // the dialog's OnOK decides.
    void accept() override
    {
        if (!SendCommand(this, IDOK))
            QDialog::accept();
    }
    // Called for the Esc key and the close box: the Cancel command.
    void reject() override
    {
        if (!SendCommand(this, IDCANCEL))
            QDialog::reject();
    }
};

// A single-selection list box as the dialog template means it: once an entry
// is selected, no click or key leaves the list without one.
class ListBoxWidget : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    // Called for each click and key that would change the selection.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override
    {
        const QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
        if (index.isValid() && (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)))
            return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
        return flags;
    }
};

// Pixels per dialog unit come from the dialog font: a quarter of its average
// letter width across, an eighth of its height down.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font)
    {
        const QFontMetrics metrics(font);
        const int letters = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        m_baseX = (letters / 26 + 1) / 2;
        m_baseY = metrics.height();
    }
    int X(int units) const { return (units * m_baseX + 2) / 4; }
    int Y(int units) const { return (units * m_baseY + 4) / 8; }

private:
    int m_baseX;
    int m_baseY;
};

QWidget* CreateControl(const DialogControlResource& control, QWidget* dialog)
{
    const QString text = ToQString(control.text.c_str());
    QWidget* widget = nullptr;
    if (control.className == "BUTTON") {
        auto* button = new QPushButton(text, dialog);
        button->setDefault((control.style & 0xF) == BS_DEFPUSHBUTTON);
        QObject::connect(button, &QPushButton::clicked, dialog,
                         [dialog, id = control.id] { SendCommand(dialog, static_cast<UINT>(id)); });
        widget = button;
    } else if (control.className == "STATIC") {
        auto* label = new QLabel(text, dialog);
        const DWORD align = control.style & 0x3;
        label->setAlignment(Qt::AlignTop
                            | (align == SS_RIGHT ? Qt::AlignRight : align == SS_CENTER ? Qt::AlignHCenter : Qt::AlignLeft));
        widget = label;
    } else if (control.className == "EDIT") {
        auto* edit = new QLineEdit(text, dialog);
        edit->setFrame(control.style & WS_BORDER);
        widget = edit;
    } else if (control.className == "LISTBOX") {
        auto* list = new ListBoxWidget(dialog);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        list->setVerticalScrollBarPolicy((control.style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (!(control.style & WS_BORDER))
            list->setFrameShape(QFrame::NoFrame);
        widget = list;
    } else {
        widget = new QWidget(dialog);
    }
    if (!qobject_cast<QLabel*>(widget))
        widget->setFocusPolicy((control.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::NoFocus);
    widget->setVisible(control.style & WS_VISIBLE);
    widget->setEnabled(!(control.style & WS_DISABLED));
    return widget;
}

}  // namespace

INT_PTR CDialog::DoModal()
{
    const auto& dialogs = AfxGetResourceScript().dialogs;
    const auto found = dialogs.find(static_cast<int>(m_templateId));
    if (found == dialogs.end())
        return -1;
    const DialogResource& resource = found->second;

    DialogWidget dialog(OwnerWidget(m_pParentWnd));
    dialog.setWindowTitle(ToQString(resource.caption.c_str()));
    QFont font(ToQString(resource.fontFace.c_str()));
    if (resource.fontPointSize > 0) {
        font.setPixelSize(PointSizeToPixels(resource.fontPointSize * 10));
        dialog.setFont(font);
    }
    const DialogUnits units(dialog.font());
    dialog.setFixedSize(units.X(resource.cx), units.Y(resource.cy));

    auto peer = std::make_unique<WindowPeer>();
    peer->widget = &dialog;
    peer->style = resource.style;
    QWidget* firstTabStop = nullptr;
    for (const DialogControlResource& control : resource.controls) {
        QWidget* widget = CreateControl(control, &dialog);
        widget->setGeometry(units.X(control.x), units.Y(control.y), units.X(control.cx), units.Y(control.cy));
        if (!firstTabStop && (control.style & WS_TABSTOP) && widget->isEnabled())
            firstTabStop = widget;
        auto controlPeer = std::make_unique<WindowPeer>();
        controlPeer->widget = widget;
        controlPeer->controlId = control.id;
        controlPeer->style = control.style;
        auto wnd = std::make_unique<CWnd>();
        wnd->AttachPeer(std::move(controlPeer));
        peer->controls.push_back(std::move(wnd));
    }
    AttachPeer(std::move(peer));

    if (OnInitDialog() && firstTabStop)
        firstTabStop->setFocus();
    const int result = GetPeer() ? dialog.exec() : IDCANCEL;
    if (WindowPeer* remaining = GetPeer())
        remaining->controls.clear();
    SetOwner(&dialog, nullptr);
    AttachPeer(nullptr);
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (auto* dialog = GetPeer() ? qobject_cast<QDialog*>(GetPeer()->widget.data()) : nullptr)
        dialog->done(nResult);
}

INT_PTR CFileDialog::DoModal()
{
    QFileDialog dialog(OwnerWidget(m_pParentWnd));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(m_open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(m_flags & OFN_OVERWRITEPROMPT));
    QStringList filters;
    for (const auto& [description, pattern] : m_filters) {
        const QString patterns = ToQString(pattern.c_str()).replace(';', ' ');
        const QString name = ToQString(description.c_str());
        filters << (name.endsWith("(" + patterns + ")") ? name : name + " (" + patterns + ")");
    }
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!m_defaultExtension.empty())
        dialog.setDefaultSuffix(ToQString(m_defaultExtension.c_str()));
    if (!m_fileName.empty())
        dialog.selectFile(ToQString(m_fileName.c_str()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    m_pathName = QFile::encodeName(QFileInfo(dialog.selectedFiles().first()).absoluteFilePath()).toStdString();
    return IDOK;
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    // Titles are shown exactly as given, as on Windows: without this, Qt's X11
    // platform shows the application's name in place of an empty one.
    QGuiApplication::setApplicationDisplayName(QString(""));
    QMessageBox box(GetPeer() ? GetPeer()->widget.data() : OwnerWidget(nullptr));
    box.setWindowTitle(ToQString(caption));
    box.setText(ToQString(text));
    box.setIcon(QMessageBox::NoIcon);
    if ((type & 0xF) == MB_OKCANCEL) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Ok) ? IDOK : IDCANCEL;
}
