#include "reports/views/CReportView.h"

#include "app/core/CZevSettings.h"
#include "app/core/Profile.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "reports/CsvWriter.h"
#include "reports/DocumentHeading.h"
#include "reports/ReportDocument.h"
#include "reports/views/CDocumentPrinter.h"
#include "reports/views/CsvExport.h"
#include "reports/views/LayoutSearch.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

CReportView::CReportView(zev::IScreenHost& host, zev::ReportsViewContext context, QWidget* parent)
    : CZevBaseView(host, "ReportView", parent), m_context(std::move(context)),
      m_model(std::make_unique<zev::ReportModel>(zev::ReportFile::InFolder(host.State().programDir),
                                                 zev::ItemTextSwitches::FromConfig(host.State().settings.config),
                                                 host.Messages())),
      m_reports(new QComboBox(this)), m_data(new QComboBox(this)), m_execute(new QPushButton(tr("&Execute"), this)),
      m_print(new QPushButton(tr("&Print..."), this)), m_list(new CZevListCtrl(this))
{
}

CReportView::~CReportView() = default;

void CReportView::OnInitialUpdate()
{
    Host().SetScreenTitleText("Reports");
    auto* reportLabel = new QLabel(tr("&Report:"), this);
    reportLabel->setBuddy(m_reports);
    m_reports->setEditable(false);
    m_reports->setMinimumWidth(260);
    m_reports->setAccessibleName(tr("Report"));
    m_data->setEditable(true);
    m_data->setInsertPolicy(QComboBox::NoInsert);
    m_data->setMinimumWidth(300);
    m_data->setAccessibleName(tr("Report parameter"));
    // The typed text only scrolls the list; the entry is still picked from it.
    m_data->setCompleter(nullptr);
    m_execute->setAccessibleName(tr("Execute"));
    m_execute->setDefault(true);
    m_print->setAccessibleName(tr("Print report"));
    m_print->setShortcut(QKeySequence::Print);
    m_list->setAccessibleName(tr("Report rows"));
    m_list->horizontalHeader()->setSectionsClickable(true);
    m_list->horizontalHeader()->setSectionsMovable(false);

    auto* top = new QHBoxLayout;
    top->addWidget(reportLabel);
    top->addWidget(m_reports);
    top->addWidget(m_data);
    top->addWidget(m_execute);
    top->addStretch();
    top->addWidget(m_print);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);

    AddControl(kReports, QStringLiteral("LST_COMBO"), m_reports);
    AddControl(kData, QStringLiteral("LST_DATA"), m_data);
    AddControl(kExecute, QStringLiteral("BTN_EXECUTE"), m_execute);
    AddControl(kList, QStringLiteral("LST_LIST"), m_list);
    AddControl(kPrint, QStringLiteral("BTN_PRINT"), m_print);
    AddControl(0, QStringLiteral("LBL_REPORT"), reportLabel);
    LayOut();

    connect(m_reports, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling)
            OnReportChosen(index);
    });
    connect(m_data, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling)
            m_model->SelectEntry(index);
    });
    connect(m_data->lineEdit(), &QLineEdit::textEdited, this, &CReportView::OnDataTyped);
    connect(m_data->lineEdit(), &QLineEdit::returnPressed, this, &CReportView::OnExecute);
    connect(m_execute, &QPushButton::clicked, this, &CReportView::OnExecute);
    connect(m_print, &QPushButton::clicked, this, &CReportView::OnPrint);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, &CReportView::OnHeaderClicked);
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { OnRowDoubleClicked(index.row()); });
    // Enter on a row drills down as a double-click does.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto* drill = new QShortcut(key, m_list, nullptr, nullptr, Qt::WidgetShortcut);
        connect(drill, &QShortcut::activated, this, [this] { OnRowDoubleClicked(m_list->CurrentRow()); });
    }

    m_filling = true;
    m_model->LoadNames();
    for (const std::string& name : m_model->Names())
        m_reports->addItem(QString::fromStdString(name));
    m_reports->setCurrentIndex(m_model->CurrentIndex());
    m_filling = false;
    ShowDefinition();
    m_reports->setFocus();
    FitToWindow();
}

void CReportView::OnReportChosen(int index)
{
    zev::WaitCursor wait;
    m_model->Select(index);
    ShowDefinition();
}

void CReportView::ShowDefinition()
{
    m_filling = true;
    const zev::ReportDefinition& d = m_model->Definition();
    QStringList headings;
    for (const std::string& h : d.headings)
        headings << QString::fromStdString(h);
    std::vector<int> formats = d.formats;
    formats.resize(headings.size(), 0);
    m_list->Model()->Clear();
    m_list->Model()->SetColumns(headings, formats);
    for (int i = 0; i < headings.size(); ++i)
        m_list->horizontalHeader()->resizeSection(
            i, static_cast<std::size_t>(i) < d.widths.size() ? d.widths[static_cast<std::size_t>(i)] : 100);

    m_data->clear();
    for (const zev::ParameterEntry& entry : m_model->Entries())
        m_data->addItem(QString::fromStdString(entry.text), entry.id);
    m_data->setCurrentIndex(m_model->SelectedEntry());
    m_data->setVisible(m_model->HasParameter());
    m_execute->setEnabled(d.Usable());
    m_print->setEnabled(false);
    m_filling = false;
}

void CReportView::ShowRows()
{
    std::vector<QStringList> rows;
    rows.reserve(m_model->Rows().size());
    for (const auto& row : m_model->Rows()) {
        QStringList cells;
        for (const std::string& cell : row)
            cells << QString::fromStdString(cell);
        rows.push_back(std::move(cells));
    }
    m_list->Model()->SetRows(std::move(rows));
    m_print->setEnabled(!m_model->Rows().empty());
}

void CReportView::OnExecute()
{
    zev::WaitCursor wait;
    m_model->Run();
    ShowRows();
}

void CReportView::OnHeaderClicked(int column)
{
    m_model->Sort(column);
    ShowRows();
}

void CReportView::OnRowDoubleClicked(int row)
{
    zev::WaitCursor wait;
    if (!m_model->DrillDown(row))
        return;
    m_filling = true;
    m_reports->setCurrentIndex(m_model->CurrentIndex());
    m_filling = false;
    ShowDefinition();
    ShowRows();
}

void CReportView::OnDataTyped(const QString& text)
{
    const int index = m_model->FindEntry(text.toStdString());
    if (index < 0)
        return;
    // Opens the list with the first entry that begins with the typed text at
    // the top, and keeps the caret in the box so typing goes on.
    QAbstractItemView* view = m_data->view();
    if (!view->isVisible()) {
        m_data->showPopup();
        m_data->lineEdit()->setFocus();
    }
    view->scrollTo(m_data->model()->index(index, 0), QAbstractItemView::PositionAtTop);
    view->setCurrentIndex(m_data->model()->index(index, 0));
}

void CReportView::OnPrint()
{
    if (m_model->Rows().empty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(m_model->Title()));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintReport(printer);
}

bool CReportView::PrintReport(QPrinter& printer)
{
    zev::WaitCursor wait;
    const zev::ReportDefinition& d = m_model->Definition();
    zev::PrintDocument document =
        zev::ReportDocument::Build(m_model->Title(), d.headings, d.formats, d.widths, m_model->Rows());
    zev::DocumentHeading::Fill(document, Host().UserProfile().UserID());
    return CDocumentPrinter::Print(document, printer, Host().Messages());
}

bool CReportView::CanExport() const { return !m_model->Rows().empty(); }

void CReportView::Export()
{
    if (!CanExport())
        return;
    const zev::ReportDefinition& d = m_model->Definition();
    std::vector<bool> text;
    for (int c = 0; c < d.ColumnCount(); ++c)
        text.push_back(d.TypeLetter(c) != 'n' && d.TypeLetter(c) != 'f');
    zev::CsvExport::Run(this, m_context, Host().Messages(), m_model->Title(), zev::CsvWriter(d.headings, text),
                        m_model->Rows());
}

void CReportView::FitToWindow()
{
    // Placed by a layout record, the button and list follow the window's
    // edges only when the distributor lets lists grow with it.
    if (!Host().State().settings.config.IsOn(zev::cfg::kListsGrowWithWindow) || isMinimized())
        return;
    if (!zev::InLayout(layout(), m_execute)) {
        const QRect g = m_execute->geometry();
        m_execute->move(std::max(0, width() - kMargin - g.width()), g.y());
    }
    if (!zev::InLayout(layout(), m_list)) {
        const QRect g = m_list->geometry();
        m_list->resize(std::max(50, width() - g.x() - kMargin), std::max(50, height() - g.y() - kMargin));
    }
}

void CReportView::resizeEvent(QResizeEvent* event)
{
    CZevBaseView::resizeEvent(event);
    FitToWindow();
}

CZevBaseView* CreateReportView(zev::IScreenHost& host, zev::ReportsViewContext context)
{
    return new CReportView(host, std::move(context));
}
