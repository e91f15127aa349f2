#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
# snmpd pass_persist helper: serves the variables of a table file under one subtree.
# Table file lines: "<dotted OID> <type> <value>" (types as pass_persist names them: integer,
# string, ...). The file is read again for every request, so a test can change the table while the
# agent runs. Every request is noted, one line each, in the file "<table file>.requests".
import sys


def parse_oid(text):
    return tuple(int(part) for part in text.strip().strip('.').split('.') if part)


def load(path, subtree):
    rows = []
    try:
        with open(path, encoding='utf-8', errors='surrogateescape') as table:
            for line in table:
                line = line.rstrip('\n')
                if not line or line.startswith('#'):
                    continue
                oid, kind, value = (line.split(' ', 2) + [''])[:3]
                name = parse_oid(oid)
                if name[:len(subtree)] == subtree:
                    rows.append((name, kind, value))
    except OSError:
        pass
    rows.sort(key=lambda row: row[0])
    return rows


def answer(row):
    name, kind, value = row
    sys.stdout.write('.' + '.'.join(str(n) for n in name) + '\n' + kind + '\n' + value + '\n')


def main():
    path, subtree = sys.argv[1], parse_oid(sys.argv[2])
    while True:
        command = sys.stdin.readline()
        if not command:
            return
        command = command.strip()
        if command == 'PING':
            sys.stdout.write('PONG\n')
        elif command in ('get', 'getnext'):
            requested = parse_oid(sys.stdin.readline())
            with open(path + '.requests', 'a') as log:
                log.write(command + '\n')
            rows = load(path, subtree)
            if command == 'get':
                found = [row for row in rows if row[0] == requested]
            else:
                found = [row for row in rows if row[0] > requested]
            if found:
                answer(found[0])
            else:
                sys.stdout.write('NONE\n')
        elif command == 'set':
            sys.stdin.readline()
            sys.stdin.readline()
            sys.stdout.write('not-writable\n')
        sys.stdout.flush()


if __name__ == '__main__':
    main()
