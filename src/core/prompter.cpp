#include "prompter.h"

#include <stdexcept>

namespace core {
namespace {

Prompter* installed = nullptr;

} // namespace

QStringList Prompter::openFileNames(const QString& title, const QString& filter,
                                    const QString& folder)
{
    const QString path = openFileName(title, filter, folder);
    return path.isEmpty() ? QStringList() : QStringList{path};
}

QString Prompter::saveFileName(const QString&, const QString&, const QString&)
{
    return {};
}

Prompter& Prompter::current()
{
    if (!installed)
        throw std::logic_error("no Prompter installed");
    return *installed;
}

void Prompter::error(const QString& text, const QString&)
{
    message(text);
}

void Prompter::install(Prompter* prompter)
{
    installed = prompter;
}

} // namespace core
