#!/usr/bin/env python3
"""A mail server for the tests on 127.0.0.1: takes messages, decodes their attachments into a
folder and lists what it received, one line each in received.txt:
    number <TAB> envelope recipients <TAB> To header <TAB> subject <TAB> body <TAB> attachment files
Options: SINK_LOGIN=USER:PASSWORD in the environment (a login is required; kept off the command
line, which the tests search for the password), --refuse ADDRESS (that recipient is refused,
repeatable), --tls CERT KEY (STARTTLS offered and required), --ssl CERT KEY (TLS from the first
byte). It prints "PORT n" once it listens
and stops when its standard input closes or after --lifetime seconds, whichever comes first.
"""
import argparse
import email
import email.policy
import os
import select
import socket
import ssl
import sys
import time
import warnings

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def one_line(text):
    return " ".join(str(text or "").split())


class Sink:
    def __init__(self, folder, refused):
        self.folder = folder
        self.refused = set(refused)
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.refused:
            return "550 5.1.1 <%s>: Recipient address rejected: User unknown" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        message = email.message_from_bytes(envelope.original_content, policy=email.policy.default)
        files = []
        for part in message.iter_attachments():
            name = "%d_%s" % (self.count, os.path.basename(part.get_filename() or "attachment"))
            with open(os.path.join(self.folder, name), "wb") as out:
                out.write(part.get_payload(decode=True))
            files.append(name)
        body = message.get_body(preferencelist=("plain",))
        line = "\t".join([str(self.count), ",".join(envelope.rcpt_tos), one_line(message["To"]),
                          one_line(message["Subject"]), one_line(body.get_content() if body else ""),
                          ",".join(files)])
        with open(os.path.join(self.folder, "received.txt"), "a", encoding="utf-8") as listing:
            listing.write(line + "\n")
        return "250 Message accepted for delivery"


def server_context(files):
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(files[0], files[1])
    return context


def main():
    warnings.simplefilter("ignore")
    parser = argparse.ArgumentParser()
    parser.add_argument("--folder", required=True)
    parser.add_argument("--refuse", action="append", default=[])
    parser.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"))
    parser.add_argument("--ssl", nargs=2, metavar=("CERT", "KEY"))
    parser.add_argument("--lifetime", type=float, default=120.0)
    args = parser.parse_args()

    options = {}
    login = os.environ.get("SINK_LOGIN", "")
    if login:
        user, password = login.split(":", 1)

        def authenticate(server, session, envelope, mechanism, auth_data):
            ok = auth_data.login.decode() == user and auth_data.password.decode() == password
            return AuthResult(success=ok, handled=False)

        options.update(authenticator=authenticate, auth_required=True, auth_require_tls=bool(args.tls))
    if args.tls:
        options.update(tls_context=server_context(args.tls), require_starttls=True)
    if args.ssl:
        options.update(ssl_context=server_context(args.ssl))

    port = free_port()
    controller = Controller(Sink(args.folder, args.refuse), hostname="127.0.0.1", port=port, **options)
    controller.start()
    print("PORT %d" % port, flush=True)
    deadline = time.monotonic() + args.lifetime
    try:
        while time.monotonic() < deadline:
            ready, _, _ = select.select([sys.stdin], [], [], 0.2)
            if ready and not sys.stdin.readline():
                break
    finally:
        controller.stop()


if __name__ == "__main__":
    main()
