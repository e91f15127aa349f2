#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
# A scripted SNMPv1 peer for what a real agent will not send: exception values, decreasing OIDs,
# error statuses. Answers the n-th request with the n-th response of a JSON script, then with
# noSuchName. A response is {"error": status, "vars": [[dotted OID, type, value], ...]}, type one of
# "integer", "string", "endOfMibView", "noSuchObject", "noSuchInstance". A script {"endless": OID}
# instead answers every request with OID.n for the n-th request, an ever-growing table, each answer
# after "delay" seconds when the script gives one. Scripted peers are small agents: a request for
# several variables gets tooBig and uses no step.
# A script {"table": [[dotted OID, type, value], ...]} answers GET-NEXT from that table for any
# number of variables, as an SNMPv1 agent does (noSuchName with the index of the first variable that
# has nothing after it); with "several": status it answers requests for more than "most" variables
# (default 1) with that error status instead; with "stuck": [OID, type, value] every variable at or beyond OID is answered
# with that one (an agent whose OIDs stop increasing). Every request served adds a line to
# SCRIPT.requests.
# Usage: fake_agent.py PORT SCRIPT
import bisect
import json
import socket
import sys
import time


def encode_length(length):
    if length < 0x80:
        return bytes([length])
    body = length.to_bytes((length.bit_length() + 7) // 8, 'big')
    return bytes([0x80 | len(body)]) + body


def tlv(tag, body):
    return bytes([tag]) + encode_length(len(body)) + body


def encode_integer(value):
    length = 1
    while not -(1 << (8 * length - 1)) <= value < (1 << (8 * length - 1)):
        length += 1
    return tlv(0x02, value.to_bytes(length, 'big', signed=True))


def encode_subidentifier(number):
    out = [number & 0x7f]
    number >>= 7
    while number:
        out.append(0x80 | (number & 0x7f))
        number >>= 7
    return bytes(reversed(out))


def parse_oid(text):
    return tuple(int(part) for part in text.strip('.').split('.'))


def decode_oid(body):
    if not body:
        return ()
    parts = [body[0] // 40, body[0] % 40]
    number = 0
    for byte in body[1:]:
        number = number << 7 | (byte & 0x7f)
        if not byte & 0x80:
            parts.append(number)
            number = 0
    return tuple(parts)


def encode_oid(text):
    parts = parse_oid(text)
    body = bytes([parts[0] * 40 + parts[1]]) + b''.join(encode_subidentifier(p) for p in parts[2:])
    return tlv(0x06, body)


def encode_value(kind, value):
    if kind == 'integer':
        return encode_integer(int(value))
    if kind == 'string':
        return tlv(0x04, value.encode('utf-8'))
    return tlv({'noSuchObject': 0x80, 'noSuchInstance': 0x81, 'endOfMibView': 0x82}[kind], b'')


def decode(data, offset):
    tag = data[offset]
    length = data[offset + 1]
    offset += 2
    if length & 0x80:
        count = length & 0x7f
        length = int.from_bytes(data[offset:offset + count], 'big')
        offset += count
    return tag, data[offset:offset + length], offset + length


def parse_request(data):
    _, message, _ = decode(data, 0)
    _, version, offset = decode(message, 0)
    _, community, offset = decode(message, offset)
    _, pdu, _ = decode(message, offset)
    _, request_id, offset = decode(pdu, 0)
    _, _, offset = decode(pdu, offset)
    _, _, offset = decode(pdu, offset)
    _, varbinds, _ = decode(pdu, offset)
    names = []
    offset = 0
    while offset < len(varbinds):
        _, varbind, offset = decode(varbinds, offset)
        _, name, _ = decode(varbind, 0)
        names.append(name)
    return int.from_bytes(version, 'big'), community, int.from_bytes(request_id, 'big', signed=True), names


def response(version, community, request_id, error, varbinds, error_index=None):
    if error_index is None:
        error_index = 1 if error else 0
    body = encode_integer(request_id) + encode_integer(error) + encode_integer(error_index)
    body += tlv(0x30, b''.join(varbinds))
    return tlv(0x30, encode_integer(version) + tlv(0x04, community) + tlv(0xa2, body))


def varbind(oid, kind, value):
    return tlv(0x30, encode_oid(oid) + encode_value(kind, value))


def null_varbinds(names):
    return [tlv(0x30, tlv(0x06, name) + tlv(0x05, b'')) for name in names]


class Table:
    """GET-NEXT over a fixed table, several variables at a time."""

    def __init__(self, script):
        self.rows = sorted((parse_oid(oid), oid, kind, value) for oid, kind, value in script['table'])
        self.keys = [row[0] for row in self.rows]
        self.several = script.get('several', 0)
        self.most = script.get('most', 1)
        self.stuck = script.get('stuck')

    def next_of(self, name):
        requested = decode_oid(name)
        if self.stuck and requested >= parse_oid(self.stuck[0]):
            return self.stuck
        at = bisect.bisect_right(self.keys, requested)
        return self.rows[at][1:] if at < len(self.rows) else None

    def answer(self, names):
        """The error status, its index and the variables."""
        if len(names) > self.most and self.several:
            return self.several, 1, null_varbinds(names)
        found = [self.next_of(name) for name in names]
        for index, variable in enumerate(found):
            if variable is None:
                return 2, index + 1, null_varbinds(names)
        return 0, 0, [varbind(*variable) for variable in found]


def scripted(script, served, names):
    """The error status and the variables of the served-th scripted answer."""
    if isinstance(script, dict):
        return 0, [varbind('%s.%d' % (script['endless'], served + 1), 'integer', '0')]
    if served < len(script):
        step = script[served]
        return step.get('error', 0), [varbind(*variable) for variable in step.get('vars', [])]
    return 2, null_varbinds(names)


def main():
    port, script_path = int(sys.argv[1]), sys.argv[2]
    with open(script_path) as script_file:
        script = json.load(script_file)
    table = Table(script) if isinstance(script, dict) and 'table' in script else None
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind(('127.0.0.1', port))
    sys.stdout.write('ready\n')
    sys.stdout.flush()
    served = 0
    while True:
        data, peer = sock.recvfrom(65535)
        try:
            version, community, request_id, names = parse_request(data)
        except (IndexError, ValueError):
            continue
        with open(script_path + '.requests', 'a') as log:
            log.write('%d\n' % len(names))
        error_index = None
        if table:
            error, error_index, varbinds = table.answer(names)
        elif len(names) > 1:
            error, varbinds = 1, null_varbinds(names)
        else:
            error, varbinds = scripted(script, served, names)
            served += 1
        if isinstance(script, dict) and script.get('delay'):
            time.sleep(script['delay'])
        sock.sendto(response(version, community, request_id, error, varbinds, error_index), peer)


if __name__ == '__main__':
    main()
