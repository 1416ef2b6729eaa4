#!/usr/bin/python3
"""An FTPS server on 127.0.0.1 for the upload tests, the benchmark and the demo central.

TLS is required on the control and the data connections. The server prints "PORT <n>" on
its first output line once it listens, so the caller may ask for port 0 and learn the port.
A fault can be injected in the data channel of a store, to stand for a central that breaks
in the middle of a transfer.
"""

import argparse
import os
import sys
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer


class SteadyTlsDataHandler(TLS_DTPHandler):
    """Debian's 1.5.7 closes a data connection that turns readable before the transfer
    command arrives, which is what a client that starts its TLS handshake early does; the
    handshake must be allowed to proceed."""

    fault = None
    fault_bytes = 0

    def readable(self):
        if self._ssl_accepting:
            return True
        return super().readable()

    def handle_read_event(self):
        super().handle_read_event()
        if self.fault in ("die", "stall") and self.tot_bytes_received >= self.fault_bytes:
            if self.fault == "die":
                os._exit(3)
            if self.fault == "stall":
                # The whole server stops answering, as a hung central does; the test
                # kills it afterwards.
                while True:
                    time.sleep(60)

    def close(self):
        # "truncate" keeps only the first bytes of a stored file yet reports success, as a
        # server that lost the end of a transfer over TLS does.
        if self.fault == "truncate" and self.receive and self.file_obj is not None:
            if not self.file_obj.closed:
                self.file_obj.flush()
                self.file_obj.truncate(min(self.fault_bytes, self.file_obj.tell()))
        super().close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--cert", required=True)
    parser.add_argument("--key", required=True)
    parser.add_argument("--user", default="ftp_olu")
    parser.add_argument("--password", default="Lmv#472")
    parser.add_argument("--perm", default="elradfmw")
    parser.add_argument("--fault", choices=["die", "stall", "truncate"])
    parser.add_argument("--fault-bytes", type=int, default=65536)
    args = parser.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm=args.perm)

    SteadyTlsDataHandler.fault = args.fault
    SteadyTlsDataHandler.fault_bytes = args.fault_bytes

    handler = TLS_FTPHandler
    handler.certfile = args.cert
    handler.keyfile = args.key
    handler.tls_control_required = True
    handler.tls_data_required = True
    handler.authorizer = authorizer
    handler.dtp_handler = SteadyTlsDataHandler
    handler.passive_ports = None
    handler.masquerade_address = None
    handler.banner = "test central ready"

    server = FTPServer(("127.0.0.1", args.port), handler)
    server.max_cons = 64
    print("PORT %d" % server.socket.getsockname()[1], flush=True)
    try:
        server.serve_forever(handle_exit=True)
    finally:
        server.close_all()


if __name__ == "__main__":
    sys.exit(main())
