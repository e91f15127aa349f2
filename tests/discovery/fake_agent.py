#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
# A scripted SNMPv1 peer for what a real agent will not send: exception values, decreasing OIDs,
# error statuses. Answers the n-th request with the n-th response of a JSON script, then with
# noSuchName. A response is {"error": status, "vars": [[dotted OID, type, value], ...]}, type one of
# "integer", "string", "endOfMibView", "noSuchObject", "noSuchInstance". A script {"endless": OID}
# instead answers every request with OID.n for the n-th request, an ever-growing table, each answer
# after "delay" seconds when the script gives one.
# Usage: fake_agent.py PORT SCRIPT
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


def encode_oid(text):
    parts = [int(part) for part in text.strip('.').split('.')]
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


def response(version, community, request_id, error, varbinds):
    body = encode_integer(request_id) + encode_integer(error) + encode_integer(1 if error else 0)
    body += tlv(0x30, b''.join(varbinds))
    return tlv(0x30, encode_integer(version) + tlv(0x04, community) + tlv(0xa2, body))


def main():
    port, script_path = int(sys.argv[1]), sys.argv[2]
    with open(script_path) as script_file:
        script = json.load(script_file)
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
        if isinstance(script, dict):
            error = 0
            varbinds = [tlv(0x30, encode_oid('%s.%d' % (script['endless'], served + 1)) + encode_integer(0))]
        elif served < len(script):
            step = script[served]
            error = step.get('error', 0)
            varbinds = [tlv(0x30, encode_oid(oid) + encode_value(kind, value))
                        for oid, kind, value in step.get('vars', [])]
        else:
            error = 2
            varbinds = [tlv(0x30, tlv(0x06, name) + tlv(0x05, b'')) for name in names]
        served += 1
        if isinstance(script, dict) and script.get('delay'):
            time.sleep(script['delay'])
        sock.sendto(response(version, community, request_id, error, varbinds), peer)


if __name__ == '__main__':
    main()
