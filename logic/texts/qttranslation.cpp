#include "logic/texts/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vellumark {

namespace {

QString qtCatalogue(Language language)
{
    return InLanguage<QString>(language, QStringLiteral("qtbase_it"), QString(),
                               QStringLiteral("qtbase_de"));
}

} // namespace

QtTranslation::QtTranslation() = default;

QtTranslation::~QtTranslation()
{
    use(Language::English);
}

void QtTranslation::use(Language language)
{
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
    }
    const QString catalogue = qtCatalogue(language);
    if (catalogue.isEmpty())
        return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(catalogue, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    m_translator = std::move(translator);
}

} // namespace vellumark
