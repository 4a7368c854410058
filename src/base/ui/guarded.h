#pragma once
// The one guarded call of the window layer. Every handler of a window that may meet an error runs
// through runGuarded: an exception that leaves the handler ends it at that point, its Russian
// text is shown in the error box (errorCaption(), base/captions.h), and the program goes on with
// the next event. What the handler had done before the error stays done.

#include "base/error.h"

#include <QString>

#include <functional>
#include <memory>

namespace vireo {

class Prompts;

// Runs the handler; true when it ran to its end. On an exception, onError (when given) sees the
// error first (a window may keep it in its status bar), then the box is shown. Without prompts
// (a window being destroyed after the program's seams) the error goes to the log category.
bool runGuarded(Prompts *prompts, const std::function<void()> &handler,
                const std::function<void(const Error &)> &onError = {});
inline bool runGuarded(Prompts &prompts, const std::function<void()> &handler,
                       const std::function<void(const Error &)> &onError = {})
{
    return runGuarded(&prompts, handler, onError);
}

// A slot that runs the handler guarded, for connect(): the arguments of the signal are dropped.
//     connect(btSave, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] { save(); }));
template <typename Handler>
auto guarded(std::shared_ptr<Prompts> prompts, Handler handler)
{
    return [prompts = std::move(prompts), handler = std::move(handler)] { runGuarded(prompts.get(), handler); };
}

// Shows an error the window caught itself, in the error box.
void showError(Prompts &prompts, const Error &error);
// The same for a text of the window's own (an error it found, not one it caught).
void showError(Prompts &prompts, const QString &text);

} // namespace vireo
