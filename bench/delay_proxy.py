# SPDX-License-Identifier: Apache-2.0
"""A UDP proxy between SNMP clients and an agent that holds each datagram for a set time in each
direction (a network with that much more latency; netem needs privileges these machines lack), and
counts the requests it passes on.

    proxy = DelayProxy(agent_port, delay_s=0.001); proxy.start(); ... proxy.port, proxy.take_count()
"""
import heapq
import itertools
import selectors
import socket
import threading
import time


class DelayProxy:
    def __init__(self, agent_port, delay_s=0.0):
        self.agent = ('127.0.0.1', agent_port)
        self.delay = delay_s
        self.listener = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.listener.bind(('127.0.0.1', 0))
        self.port = self.listener.getsockname()[1]
        # select() takes its time-out in microseconds, epoll only in whole milliseconds.
        self.selector = selectors.SelectSelector()
        self.selector.register(self.listener, selectors.EVENT_READ, None)
        self.upstream = {}  # client address -> socket towards the agent
        self.due = []  # (time, order, socket, bytes, address)
        self.order = itertools.count()
        self.count = 0
        self.lock = threading.Lock()
        self.stopping = False
        self.thread = threading.Thread(target=self.run, daemon=True)

    def start(self):
        self.thread.start()
        return self

    def stop(self):
        self.stopping = True
        self.thread.join(timeout=5)
        for sock in [self.listener, *self.upstream.values()]:
            sock.close()

    def take_count(self):
        """Requests passed to the agent since the last call."""
        with self.lock:
            count, self.count = self.count, 0
        return count

    def hold(self, sock, data, address):
        heapq.heappush(self.due, (time.monotonic() + self.delay, next(self.order), sock, data, address))

    def upstream_of(self, client):
        sock = self.upstream.get(client)
        if not sock:
            sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
            sock.bind(('127.0.0.1', 0))
            self.upstream[client] = sock
            self.selector.register(sock, selectors.EVENT_READ, client)
        return sock

    def receive(self, sock, client):
        data, sender = sock.recvfrom(65535)
        if client is None:
            with self.lock:
                self.count += 1
            self.hold(self.upstream_of(sender), data, self.agent)
        else:
            self.hold(self.listener, data, client)

    def run(self):
        while not self.stopping:
            now = time.monotonic()
            while self.due and self.due[0][0] <= now:
                _, _, sock, data, address = heapq.heappop(self.due)
                sock.sendto(data, address)
            timeout = min(self.due[0][0] - now, 0.1) if self.due else 0.1
            for key, _ in self.selector.select(max(timeout, 0)):
                self.receive(key.fileobj, key.data)
