#include "base/ui/guarded.h"

#include "base/captions.h"
#include "base/logging.h"
#include "base/services.h"

namespace vireo {

bool runGuarded(Prompts *prompts, const std::function<void()> &handler,
                const std::function<void(const Error &)> &onError)
{
    try {
        handler();
        return true;
    } catch (const std::exception &e) {
        const Error error = asError(e);
        if (onError)
            onError(error);
        if (prompts)
            showError(*prompts, error);
        else
            qCWarning(lcBase).noquote() << "error with no window to show it:" << error.text();
    }
    return false;
}

void showError(Prompts &prompts, const Error &error)
{
    qCDebug(lcBase).noquote() << "error shown:" << error.text();
    prompts.error(errorCaption(), error.text());
}

void showError(Prompts &prompts, const QString &text)
{
    showError(prompts, Error(text));
}

} // namespace vireo
