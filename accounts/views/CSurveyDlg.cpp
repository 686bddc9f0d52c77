#include "accounts/views/CSurveyDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using zev::SurveyQuestion;
using zev::SurveyRunner;

CSurveyDlg::CSurveyDlg(zev::IMessageBox& messages, const zev::IClock& clock, QWidget* parent)
    : CZevDialog(parent), m_runner(messages, clock), m_counter(new QLabel(this)), m_question(new QLabel(this)),
      m_text(new QLineEdit(this)),
      m_choices(new QComboBox(this)), m_radios{new QRadioButton(this), new QRadioButton(this)},
      m_checks(new QListWidget(this)), m_date(new QDateEdit(this)), m_notesLabel(new QLabel(tr("N&otes:"), this)),
      m_notes(new QLineEdit(this)), m_back(new QPushButton(tr("<< &Back"), this)),
      m_next(new QPushButton(tr("&Next >>"), this))
{
    m_question->setWordWrap(true);
    m_question->setStyleSheet(QStringLiteral("font-weight: bold"));
    m_text->setMaxLength(SurveyRunner::kAnswerMaxLength);
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    m_date->setDateRange(QDate(1900, 1, 1), QDate(2099, 12, 31));
    m_notes->setMaxLength(SurveyRunner::kAnswerMaxLength);
    m_notesLabel->setBuddy(m_notes);
    auto* group = new QButtonGroup(this);
    group->addButton(m_radios[0]);
    group->addButton(m_radios[1]);
    // The question names every answer control for screen readers.
    for (QWidget* w : std::initializer_list<QWidget*>{m_text, m_choices, m_checks, m_date})
        w->setAccessibleName(tr("Answer"));

    AddControl(1134, QStringLiteral("EDT_ANSWER"), m_text);
    AddControl(QStringLiteral("LST_CHOICES"), m_choices);
    AddControl(1500, QStringLiteral("BTN_RADIO1"), m_radios[0]);
    AddControl(1504, QStringLiteral("BTN_RADIO2"), m_radios[1]);
    AddControl(1553, QStringLiteral("LST_CHECKS"), m_checks);
    AddControl(1566, QStringLiteral("EDT_DATE"), m_date);
    AddControl(1521, QStringLiteral("LBL_NOTES"), m_notesLabel);
    AddControl(QStringLiteral("EDT_NOTES"), m_notes);
    AddControl(QStringLiteral("BTN_BACK"), m_back);
    AddControl(1, QStringLiteral("BTN_NEXT"), m_next);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_counter);
    layout->addWidget(m_question);
    for (QWidget* w : std::initializer_list<QWidget*>{m_text, m_choices, m_radios[0], m_radios[1], m_checks, m_date})
        layout->addWidget(w);
    layout->addStretch();
    layout->addWidget(m_notesLabel);
    layout->addWidget(m_notes);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_back);
    buttons->addWidget(m_next);
    layout->addLayout(buttons);
    m_next->setDefault(true);
    resize(460, 360);

    connect(m_next, &QPushButton::clicked, this, &CSurveyDlg::OnNext);
    connect(m_back, &QPushButton::clicked, this, &CSurveyDlg::OnBack);
}

bool CSurveyDlg::Open(int surveyId, int accountId, int doneId)
{
    if (!m_runner.Open(surveyId, accountId, doneId))
        return false;
    setWindowTitle(QString::fromStdString(m_runner.Title()));
    ShowPage();
    return true;
}

void CSurveyDlg::ShowPage()
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_text, m_choices, m_radios[0], m_radios[1], m_checks, m_date,
                                                      m_notesLabel, m_notes})
        w->hide();
    if (!m_runner.HasPages()) {
        m_counter->clear();
        m_question->setText(tr("This survey has no questions."));
        m_next->setEnabled(false);
        return;
    }
    const SurveyQuestion& q = m_runner.Current();
    const QString answer = QString::fromStdString(m_runner.CurrentAnswer());
    m_counter->setText(tr("Question %1 of %2").arg(m_runner.Page() + 1).arg(m_runner.Questions().size()));
    m_question->setText(QString::fromStdString(q.text));
    // Every answer control is called "Answer"; its description is the
    // question, so a screen reader says what is being answered.
    for (QWidget* w : std::initializer_list<QWidget*>{m_text, m_choices, m_radios[0], m_radios[1], m_checks, m_date})
        w->setAccessibleDescription(m_question->text());
    QWidget* focus = nullptr;
    switch (q.type) {
    case SurveyQuestion::Choice:
        if (q.options.size() == 2) {
            // Two options read best as two radio buttons.
            for (int i = 0; i < 2; ++i) {
                const QString option = QString::fromStdString(q.options[static_cast<std::size_t>(i)]);
                m_radios[i]->setText(option);
                m_radios[i]->setAccessibleName(option);
                m_radios[i]->setAutoExclusive(false);
                m_radios[i]->setChecked(option == answer);
                m_radios[i]->setAutoExclusive(true);
                m_radios[i]->show();
            }
            focus = m_radios[0];
        } else {
            m_choices->clear();
            m_choices->addItem(QString());
            for (const std::string& option : q.options)
                m_choices->addItem(QString::fromStdString(option));
            const int at = m_choices->findText(answer);
            m_choices->setCurrentIndex(at < 0 ? 0 : at);
            m_choices->show();
            focus = m_choices;
        }
        break;
    case SurveyQuestion::Checks: {
        m_checks->clear();
        const std::vector<bool> checked = SurveyRunner::ParseChecks(answer.toStdString(), q.options.size());
        for (std::size_t i = 0; i < q.options.size(); ++i) {
            auto* item = new QListWidgetItem(QString::fromStdString(q.options[i]), m_checks);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            item->setCheckState(checked[i] ? Qt::Checked : Qt::Unchecked);
        }
        m_checks->setCurrentRow(0);
        m_checks->show();
        focus = m_checks;
        break;
    }
    case SurveyQuestion::Date: {
        int y = 0, m = 0, d = 0;
        m_date->setDate(SurveyRunner::ParseDateAnswer(answer.toStdString(), y, m, d) ? QDate(y, m, d)
                                                                                     : QDate::currentDate());
        m_date->show();
        focus = m_date;
        break;
    }
    default:
        m_text->setText(answer);
        m_text->show();
        focus = m_text;
        break;
    }
    m_notesLabel->setVisible(q.notes);
    m_notes->setVisible(q.notes);
    m_notes->setText(QString::fromStdString(m_runner.CurrentComment()));
    m_next->setEnabled(true);
    if (focus)
        focus->setFocus();
}

std::string CSurveyDlg::PageAnswer() const
{
    const SurveyQuestion& q = m_runner.Current();
    switch (q.type) {
    case SurveyQuestion::Choice:
        if (q.options.size() == 2) {
            for (QRadioButton* r : m_radios)
                if (r->isChecked())
                    return r->text().toStdString();
            return {};
        }
        return m_choices->currentText().toStdString();
    case SurveyQuestion::Checks: {
        std::vector<bool> checked;
        for (int i = 0; i < m_checks->count(); ++i)
            checked.push_back(m_checks->item(i)->checkState() == Qt::Checked);
        return SurveyRunner::CheckAnswer(checked);
    }
    case SurveyQuestion::Date: {
        const QDate d = m_date->date();
        return SurveyRunner::DateAnswer(d.year(), d.month(), d.day());
    }
    default:
        return m_text->text().toStdString();
    }
}

void CSurveyDlg::OnNext()
{
    if (!m_runner.HasPages())
        return;
    switch (m_runner.Next(PageAnswer(), m_notes->text().toStdString())) {
    case SurveyRunner::Step::Moved:
        ShowPage();
        break;
    case SurveyRunner::Step::Finished:
        accept();
        break;
    default:
        break;
    }
}

void CSurveyDlg::OnBack()
{
    // Before the first page the survey is given up; nothing was written.
    if (m_runner.Back() == SurveyRunner::Step::Cancelled)
        reject();
    else
        ShowPage();
}
