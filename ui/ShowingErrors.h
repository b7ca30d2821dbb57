#pragma once

#include <exception>
#include <functional>
#include <type_traits>

// Qt's libraries are built without exception cleanups: an error that unwinds
// through their frames skips their destructors and leaves their guards, locks and
// the bookkeeping of the signal being sent half done. So every slot, connected
// lambda and event override that can raise an error runs through here and stops
// the error before it reaches Qt, showing it as the top-level error display; the
// handler ends there and the windows stay as they were.

// Shows the error as the top-level error display: our own exception by its
// message, any other by its text.
void showException(const std::exception& error);

// Runs the handler and shows an error it raises; true when it ran to its end.
bool runShowingErrors(const std::function<void()>& handler);

// The handler to connect to a signal in place of the bare one: it shows its
// errors itself, and takes the first of the signal's arguments that the bare
// handler takes, as a bare handler would (Qt tries fewer until one fits).
template <typename Handler> auto showingErrors(Handler handler) {
    return [handler = std::move(handler)]<typename... Arguments>(const Arguments&... arguments)
               -> void requires std::is_invocable_v<const Handler&, const Arguments&...> {
        runShowingErrors([&] { std::invoke(handler, arguments...); });
    };
}

// The same for a member function of the object the signal is connected in.
template <typename Object, typename Method> auto showingErrors(Object* object, Method method) {
    return showingErrors(std::bind_front(method, object));
}
