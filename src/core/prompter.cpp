#include "prompter.h"

#include <stdexcept>

namespace core {
namespace {

Prompter* installed = nullptr;

} // namespace

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
