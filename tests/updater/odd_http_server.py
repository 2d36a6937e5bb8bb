#!/usr/bin/env python3
"""A small HTTP server for the updater tests that misbehaves on purpose.

Prints its port on the first line of stdout, then serves until killed. Every request is
appended, byte for byte, to the --record file when one is given (each one preceded by a line
"=== <n>" with its length). Bodies are a fixed byte pattern of --size bytes, or the file of that
name under --root when there is one.
"""
import argparse
import os
import re
import socket
import socketserver
import sys
import threading
import time

args = None
record_lock = threading.Lock()


def pattern(size):
    return bytes((i * 7 + 3) % 251 for i in range(size))


def content_for(path):
    if args.root:
        local = os.path.join(args.root, path.lstrip("/"))
        if os.path.isfile(local):
            with open(local, "rb") as f:
                return f.read()
    return pattern(args.size)


def read_request(sock):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = sock.recv(4096)
        if not chunk:
            return None
        data += chunk
    return data


def record(data):
    if not args.record:
        return
    with record_lock:
        with open(args.record, "ab") as f:
            f.write(b"=== %d\n" % len(data))
            f.write(data)


class Handler(socketserver.BaseRequestHandler):
    def send(self, data):
        self.request.sendall(data)

    def send_without_end(self, start, piece, pause=0.0):
        """Sends start, then piece again and again until the client goes away."""
        try:
            self.send(start)
            for i in range(10 ** 7):
                self.send(piece(i))
                time.sleep(pause)
        except OSError:
            pass

    def handle(self):
        sock = self.request
        req = read_request(sock)
        if req is None:
            return
        record(req)
        line = req.split(b"\r\n", 1)[0].decode("latin-1")
        method, target = line.split(" ")[0], line.split(" ")[1]
        m = re.search(rb"(?im)^range:\s*bytes=(\d+)-", req)
        offset = int(m.group(1)) if m else None
        body = content_for(target)
        total = len(body)
        mode = args.mode

        if method == "GET" and offset is None and mode == "stall-list":
            time.sleep(3600)
            return
        if method == "GET" and offset is None and mode == "endless-list":
            self.send_without_end(b"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n",
                                  lambda i: b"[x]\ndatetime=2030-01-01\n" * 512)
            return
        if mode == "redirect":
            self.send(b"HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:1/elsewhere\r\nContent-Length: 0\r\n\r\n")
            return
        if mode == "endless-header":
            self.send_without_end(b"HTTP/1.1 200 OK\r\nX-Long: ", lambda i: b"a" * 4096)
            return
        if mode == "drip-headers":
            self.send_without_end(b"HTTP/1.1 200 OK\r\n", lambda i: b"X-Drip-%d: 1\r\n" % i, 0.05)
            return
        if method == "HEAD":
            if mode == "head-zero":
                self.send(b"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n")
                return
            if mode == "huge":
                self.send(b"HTTP/1.1 200 OK\r\nContent-Length: 1000000000000000\r\n\r\n")
                return
            if mode == "head-nan":
                self.send(b"HTTP/1.1 200 OK\r\nContent-Length: 12ab\r\n\r\n")
                return
            if mode == "stall-headers":
                time.sleep(3600)
                return
            if mode == "cut-headers":
                self.send(b"HTTP/1.1 200 OK\r\nContent-Le")
                return
            if mode == "no-head-length":
                self.send(b"HTTP/1.1 200 OK\r\nServer: odd\r\n\r\n")
                return
            name = {"lowercase-length": b"content-length: ", "tight-length": b"Content-Length:"}.get(
                mode, b"Content-Length: ")
            self.send(b"HTTP/1.1 200 OK\r\n" + name + str(total).encode() + b"\r\n\r\n")
            return

        if offset is None or mode == "ignore-range":
            self.send(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\nContent-Type: text/html\r\n\r\n" % total + body)
            return
        if offset >= total:
            self.send(b"HTTP/1.1 416 Range Not Satisfiable\r\nContent-Range: bytes */%d\r\n"
                      b"Content-Length: 0\r\n\r\n" % total)
            return
        rest = body[offset:]
        announced = len(rest)
        if mode == "wrong-length":
            announced = args.announce
        elif mode == "equal-offset":
            announced = offset
        name = {"lowercase-length": b"content-length: ", "tight-length": b"Content-Length:"}.get(
            mode, b"Content-Length: ")
        head = (b"HTTP/1.1 206 Partial Content\r\nContent-Range: bytes %d-%d/%d\r\n" % (offset, total - 1, total)
                + name + str(announced).encode() + b"\r\n\r\n")
        if mode == "206-no-range":
            head = b"HTTP/1.1 206 Partial Content\r\nContent-Length: %d\r\n\r\n" % len(rest)
        elif mode == "chunked-206":
            chunk = b"%x\r\n" % len(rest) + rest + b"\r\n0\r\n\r\n"
            self.send(b"HTTP/1.1 206 Partial Content\r\nContent-Range: bytes %d-%d/%d\r\n"
                      b"Transfer-Encoding: chunked\r\n\r\n" % (offset, total - 1, total) + chunk)
            return
        elif mode == "wrong-start":
            rest = body[offset + 100:]
            head = (b"HTTP/1.1 206 Partial Content\r\nContent-Range: bytes %d-%d/%d\r\nContent-Length: %d\r\n\r\n"
                    % (offset + 100, total - 1, total, len(rest)))
        elif mode == "past-total":
            rest = rest + b"tail of the next release"
            head = (b"HTTP/1.1 206 Partial Content\r\nContent-Range: bytes %d-%d/%d\r\nContent-Length: %d\r\n\r\n"
                    % (offset, offset + len(rest) - 1, offset + len(rest), len(rest)))
        if mode == "close-early":
            self.send(head + rest[:args.cut])
            return
        if mode == "stall-body":
            self.send(head + rest[:args.cut])
            time.sleep(3600)
            return
        self.send(head + rest)
        # Keep the connection open like a keep-alive server; the client closes it.
        sock.settimeout(30)
        try:
            while sock.recv(4096):
                pass
        except OSError:
            pass


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    global args
    p = argparse.ArgumentParser()
    p.add_argument("--mode", default="normal")
    p.add_argument("--size", type=int, default=10000)
    p.add_argument("--cut", type=int, default=3000)
    p.add_argument("--announce", type=int, default=100)
    p.add_argument("--record")
    p.add_argument("--root")
    args = p.parse_args()
    server = Server(("127.0.0.1", 0), Handler)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
