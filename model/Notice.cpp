#include "model/Notice.h"

int TNotice::Subscribe(Handler handler)
{
    handlers_.emplace(next_, std::move(handler));
    return next_++;
}

void TNotice::Unsubscribe(int subscription)
{
    handlers_.erase(subscription);
}

void TNotice::Raise() const
{
    const auto handlers = handlers_;  // a copy: handlers may change the subscriptions
    for (const auto& entry : handlers)
        entry.second();
}
