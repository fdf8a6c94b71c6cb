// The three languages of the main window.
#include "app/mainwindow.h"

#include "app/coverslotpanel.h"
#include "app/toolset.h"
#include "app/windowaccessibility.h"
#include "logic/texts/maintexts.h"
#include "widgets/typologylist.h"

#include <QAction>
#include <QLabel>

namespace vellumark {

void MainWindow::applyLanguage(Language language)
{
    const MainWindowTexts &texts = MainTexts(language);
    m_qtTranslation.use(language);
    auto setTool = [this](const QString &id, const QString &text) {
        if (QAction *tool = m_tools->tool(id))
            tool->setText(text);
    };

    setLanguage(language, texts.marker);
    m_slotA->hint()->setText(texts.loadHint);
    m_slotB->hint()->setText(texts.loadHint);
    m_labels.value(QStringLiteral("Label4"))->setText(texts.sizeHeadingA);
    m_labels.value(QStringLiteral("Label5"))->setText(texts.sizeHeadingB);
    m_labels.value(QStringLiteral("Label22"))->setText(texts.borderCaption);
    m_labels.value(QStringLiteral("Label23"))->setText(texts.borderCaption);
    setTool(QStringLiteral("ID_Print"), texts.printTool);
    m_labels.value(QStringLiteral("Label10"))->setText(texts.positionHeadingA);
    m_labels.value(QStringLiteral("Label13"))->setText(texts.positionHeadingB);
    m_slotA->list()->setToolTip(texts.listTip);
    m_slotB->list()->setToolTip(texts.listTip);
    for (const auto &[id, text] : texts.languageTools)
        setTool(id, text);
    m_tools->tool(texts.checkedLanguageTool)->setChecked(true);
    for (const auto &[id, text] : texts.otherTools)
        setTool(id, text);

    // Rebuilding the lists keeps each slot's typology and runs its
    // selection again; no selection stays no selection.
    const int indexA = m_slotA->list()->currentIndex();
    const int indexB = m_slotB->list()->currentIndex();
    fillTypologyList(m_slotA->list(), language);
    fillTypologyList(m_slotB->list(), language);
    selectTypology(*m_slotA, indexA);
    selectTypology(*m_slotB, indexB);

    for (const auto &[name, text] : texts.fieldLabels)
        m_labels.value(name)->setText(text);
    m_accessibility->apply(language);
}

} // namespace vellumark
