#pragma once
#include <functional>
#include <map>

// A notification that windows subscribe to: every subscriber's handler is
// called, in the order of subscription, each time the notice is raised.
class TNotice {
public:
    using Handler = std::function<void()>;

    // Adds a handler; the number returned ends the subscription.
    int Subscribe(Handler handler);
    // Removes the handler of a subscription; unknown numbers are ignored.
    void Unsubscribe(int subscription);
    // Calls every handler. A handler may subscribe or unsubscribe meanwhile;
    // the handlers called are those subscribed when the notice was raised.
    void Raise() const;
    // Number of subscriptions.
    int Count() const { return static_cast<int>(handlers_.size()); }

private:
    std::map<int, Handler> handlers_;
    int next_ = 1;
};
