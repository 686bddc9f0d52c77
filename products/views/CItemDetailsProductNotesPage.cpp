#include "products/views/CItemDetailsProductNotesPage.h"

#include "app/core/StringTable.h"
#include "products/ItemDetailsData.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

namespace zev {

CItemDetailsProductNotesPage::CItemDetailsProductNotesPage(int itemId, const std::array<std::string, 3>& captions,
                                                           QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    const auto notes = ItemDetailsData::ProductNotes(itemId, StringTable::Text(65080));
    QPlainTextEdit* first = nullptr;
    for (std::size_t i = 0; i < 3; ++i) {
        const QString caption = QString::fromStdString(captions[i]);
        auto* label = new QLabel(caption, this);
        label->setObjectName(QStringLiteral("LBL_LBLNOTE%1").arg(i + 1));
        auto* box = new QPlainTextEdit(this);
        box->setObjectName(QStringLiteral("LBL_NOTE%1").arg(i + 1));
        box->setAccessibleName(caption.isEmpty() ? tr("Note %1").arg(i + 1) : caption);
        box->setReadOnly(true);
        box->setPlainText(QString::fromStdString(notes[i]).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        label->setBuddy(box);
        layout->addWidget(label);
        layout->addWidget(box);
        if (!first)
            first = box;
    }
    // The first note starts unselected with its beginning in view.
    first->moveCursor(QTextCursor::Start);
    first->ensureCursorVisible();
}

} // namespace zev
