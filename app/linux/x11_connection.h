#pragma once

#include <memory>
#include <string>

struct xcb_connection_t;

namespace brennquist {

struct X11Disconnect {
    void operator()(xcb_connection_t* connection) const;
};

// An open connection to an X server.
using X11Connection = std::unique_ptr<xcb_connection_t, X11Disconnect>;

struct X11Answer {
    X11Connection connection;  // set when the server took the connection
    bool refused = false;      // the server answered but turned the connection down
    std::string reason;        // the server's own words for a refusal
};

// Connects to the X display `name` as Qt will. A local server that has only
// just started may not listen yet, so it is asked a few times within half a
// second; a server over the network is asked once, as each try there may cost
// a whole connection time-out, and so is one that answered with a refusal.
[[nodiscard]] X11Answer ConnectX11(const std::string& name);

}  // namespace brennquist
