// latency_relay: a TCP relay on the loopback interface that holds every
// chunk of data for a fixed delay in each direction before passing it on,
// so that a local database server answers as one at a distance would. It
// forwards each connection to a Unix socket (a path) or a TCP address
// (HOST:PORT), prints the port it listens on, and ends by itself after its
// lifetime. For benchmarks only: no limits on what clients send.
//
//   latency_relay --to /tmp/pg/.s.PGSQL.5432 --delay-ms 1 --seconds 3600 [--port 0]
#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

typedef std::chrono::steady_clock Clock;

const size_t kReadSize = 64 * 1024;
const int kLongestLifetimeSeconds = 24 * 3600;

struct Options {
  std::string to;
  int port = 0;
  double delayMs = 1;
  int seconds = 3600;
};

[[noreturn]] void die(const std::string& message) {
  std::fprintf(stderr, "latency_relay: %s\n", message.c_str());
  std::exit(2);
}

Options parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string name = argv[i];
    if (i + 1 >= argc) die("missing value of " + name);
    std::string value = argv[++i];
    if (name == "--to") {
      o.to = value;
    } else if (name == "--port") {
      o.port = std::atoi(value.c_str());
    } else if (name == "--delay-ms") {
      o.delayMs = std::atof(value.c_str());
    } else if (name == "--seconds") {
      o.seconds = std::atoi(value.c_str());
    } else {
      die("unknown option " + name);
    }
  }
  if (o.to.empty()) die("usage: latency_relay --to PATH|HOST:PORT [--delay-ms MS] [--seconds S] [--port P]");
  if (o.delayMs < 0 || o.seconds < 1 || o.seconds > kLongestLifetimeSeconds) {
    die("--delay-ms must be 0 or more, --seconds 1 to 86400");
  }
  return o;
}

void nonBlocking(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK); }

void noDelay(int fd) {
  int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// A connection to `to`: a Unix socket path, or HOST:PORT; -1 on failure.
int connectTo(const std::string& to) {
  if (to.find('/') != std::string::npos) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (to.size() >= sizeof address.sun_path) return -1;
    std::strcpy(address.sun_path, to.c_str());
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      close(fd);
      return -1;
    }
    return fd;
  }
  size_t colon = to.rfind(':');
  addrinfo hints{}, *found = nullptr;
  hints.ai_socktype = SOCK_STREAM;
  if (colon == std::string::npos ||
      getaddrinfo(to.substr(0, colon).c_str(), to.substr(colon + 1).c_str(), &hints, &found) != 0) {
    return -1;
  }
  int fd = socket(found->ai_family, SOCK_STREAM, 0);
  if (fd >= 0 && connect(fd, found->ai_addr, found->ai_addrlen) != 0) {
    close(fd);
    fd = -1;
  }
  freeaddrinfo(found);
  if (fd >= 0) noDelay(fd);
  return fd;
}

// One direction of a relayed connection: what was read from `from` and is
// held until its time to be written to `to`.
struct Flow {
  struct Chunk {
    Clock::time_point due;
    std::string data;
    size_t written = 0;
  };
  int from, to;
  std::deque<Chunk> held;
  bool ended = false;  // `from` reached its end; `to` is shut once all is written

  bool due(Clock::time_point now) const { return !held.empty() && held.front().due <= now; }
  bool done() const { return ended && held.empty(); }
};

struct Relayed {
  int client, server;
  Flow up, down;
  bool broken = false;

  Relayed(int c, int s) : client(c), server(s), up{c, s, {}, false}, down{s, c, {}, false} {}
  ~Relayed() {
    close(client);
    close(server);
  }
  bool finished() const { return broken || (up.done() && down.done()); }
};

// Reads what `flow.from` has, to be written after `delay`.
void take(Flow& flow, Clock::duration delay, Relayed& r) {
  char buffer[kReadSize];
  ssize_t n = read(flow.from, buffer, sizeof buffer);
  if (n > 0) {
    flow.held.push_back({Clock::now() + delay, std::string(buffer, static_cast<size_t>(n))});
  } else if (n == 0) {
    flow.ended = true;
  } else if (errno != EAGAIN && errno != EINTR) {
    r.broken = true;
  }
}

// Writes what is due of `flow`; shuts its destination once its source ended.
void give(Flow& flow, Relayed& r) {
  Clock::time_point now = Clock::now();
  while (flow.due(now)) {
    Flow::Chunk& c = flow.held.front();
    ssize_t n = write(flow.to, c.data.data() + c.written, c.data.size() - c.written);
    if (n < 0) {
      if (errno != EAGAIN && errno != EINTR) r.broken = true;
      return;
    }
    c.written += static_cast<size_t>(n);
    if (c.written < c.data.size()) return;
    flow.held.pop_front();
  }
  if (flow.done()) shutdown(flow.to, SHUT_WR);
}

int listenOn(int port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  int on = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // loopback only
  address.sin_port = htons(static_cast<uint16_t>(port));
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 64) != 0) {
    die("cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno));
  }
  socklen_t size = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  std::printf("%d\n", ntohs(address.sin_port));
  std::fflush(stdout);
  nonBlocking(fd);
  return fd;
}

void accept(int listener, const std::string& to, std::vector<std::unique_ptr<Relayed>>& relayed) {
  int client = ::accept(listener, nullptr, nullptr);
  if (client < 0) return;
  int server = connectTo(to);
  if (server < 0) {
    close(client);
    return;
  }
  noDelay(client);
  nonBlocking(client);
  nonBlocking(server);
  relayed.push_back(std::make_unique<Relayed>(client, server));
}

}  // namespace

int main(int argc, char** argv) {
  Options o = parse(argc, argv);
  signal(SIGPIPE, SIG_IGN);
  const auto delay = std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double, std::milli>(o.delayMs));
  const Clock::time_point end = Clock::now() + std::chrono::seconds(o.seconds);
  int listener = listenOn(o.port);
  std::vector<std::unique_ptr<Relayed>> relayed;
  while (Clock::now() < end) {
    std::vector<pollfd> fds{{listener, POLLIN, 0}};
    Clock::time_point wake = end;
    for (const auto& r : relayed) {
      for (const Flow* f : {&r->up, &r->down}) {
        short events = f->ended ? 0 : POLLIN;
        if (!f->held.empty()) wake = std::min(wake, f->held.front().due);
        fds.push_back({f->from, events, 0});
        fds.push_back({f->to, static_cast<short>(f->due(Clock::now()) ? POLLOUT : 0), 0});
      }
    }
    auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(wake - Clock::now());
    timespec timeout{static_cast<time_t>(std::max<long long>(0, wait.count()) / 1000000000),
                     static_cast<long>(std::max<long long>(0, wait.count()) % 1000000000)};
    if (ppoll(fds.data(), fds.size(), &timeout, nullptr) < 0 && errno != EINTR) die(std::strerror(errno));
    size_t at = 1;
    for (const auto& r : relayed) {
      for (Flow* f : {&r->up, &r->down}) {
        if (fds[at].revents & (POLLIN | POLLHUP | POLLERR)) take(*f, delay, *r);
        at += 2;
        give(*f, *r);
      }
    }
    relayed.erase(std::remove_if(relayed.begin(), relayed.end(),
                                 [](const std::unique_ptr<Relayed>& r) { return r->finished(); }),
                  relayed.end());
    if (fds[0].revents & POLLIN) accept(listener, o.to, relayed);
  }
  return 0;
}
