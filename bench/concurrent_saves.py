#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Dialogs that save at once: N dialogs of R rounds each, started together, in one private home.

Each round is one printdialog run that adds profile W<d>R<r>.ICC in the profile window (held open for
--hold seconds, while the others save) and saves the shared ticket for printer P<d>_<r>. Afterwards the
profile list and the ticket are read with plistlib: every profile and every printer must be there, and
no file damaged or left behind. An LD_PRELOAD timer (bench_lock_wait.so) gives each run's longest wait
for a lock.
Usage: bench/concurrent_saves.py [BUILD_DIR] [--dialogs N] [--rounds R] [--hold SECONDS]
"""
import argparse
import os
import plistlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

PROFILE_FILE = 'Library/Preferences/jp.tessaluma.printers.zq4410PS.profile.plist'
NSS_WRAPPER = '/usr/lib/x86_64-linux-gnu/libnss_wrapper.so'


class Sandbox:
    """A home of its own through nss_wrapper, removed at the end."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix='tlco-concurrent.')
        self.home = os.path.join(self.dir, 'home')
        os.makedirs(os.path.join(self.home, 'Library', 'Preferences'))
        uid, gid = os.getuid(), os.getgid()
        with open(os.path.join(self.dir, 'passwd'), 'w') as f:
            f.write(f'bench:x:{uid}:{gid}:bench:{self.home}:/bin/sh\n')
        with open(os.path.join(self.dir, 'group'), 'w') as f:
            f.write(f'bench:x:{gid}:\n')

    def environment(self, build, waits):
        env = dict(os.environ, LC_ALL='C', HOME=self.home, LOCK_WAIT_FILE=waits,
                   NSS_WRAPPER_PASSWD=os.path.join(self.dir, 'passwd'),
                   NSS_WRAPPER_GROUP=os.path.join(self.dir, 'group'))
        env['LD_PRELOAD'] = f'{NSS_WRAPPER} {os.path.join(build, "bin", "bench_lock_wait.so")}'
        return env

    def remove(self):
        shutil.rmtree(self.dir, ignore_errors=True)


def one_round(printdialog, env, ticket, dialog, round_, hold):
    """One dialog run; the window is held open between reading the lists and OK."""
    before = ('panelView\nrestore\nclick button_ManageProfile\nclick _addButton\n'
              f'type _fileNameEdit W{dialog}R{round_}.ICC\nclick _localOK\n')
    after = 'click button_ProfileWindowOK\nsave\n'
    started = time.monotonic()
    run = subprocess.Popen([printdialog, '--json', '--script', '-', '--ticket', ticket,
                            '--printer-id', f'P{dialog}_{round_}'], stdin=subprocess.PIPE,
                           stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env, text=True)
    run.stdin.write(before)
    run.stdin.flush()
    if hold:
        time.sleep(hold)
    try:
        _, err = run.communicate(after, timeout=120)
    except subprocess.TimeoutExpired:
        run.kill()
        return time.monotonic() - started, 'timed out'
    return time.monotonic() - started, (err if run.returncode == 0 and not err else f'{run.returncode}: {err}')


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('build', nargs='?', default='build')
    parser.add_argument('--dialogs', type=int, default=8)
    parser.add_argument('--rounds', type=int, default=50)
    parser.add_argument('--hold', type=float, default=0.0)
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    printdialog = os.path.join(build, 'bin', 'printdialog')

    sandbox = Sandbox()
    try:
        waits = os.path.join(sandbox.dir, 'waits')
        env = sandbox.environment(build, waits)
        ticket = os.path.join(sandbox.home, 'shared.plist')
        durations, failures = [], []
        start = threading.Barrier(args.dialogs)

        def dialog(d):
            start.wait()
            for r in range(args.rounds):
                took, failure = one_round(printdialog, env, ticket, d, r, args.hold)
                durations.append(took)
                if failure:
                    failures.append(f'dialog {d} round {r}: {failure.strip()}')

        began = time.monotonic()
        threads = [threading.Thread(target=dialog, args=(d,)) for d in range(1, args.dialogs + 1)]
        for t in threads:
            t.start()
        for t in threads:
            t.join()
        wall = time.monotonic() - began
        report(args, sandbox, ticket, waits, durations, failures, wall)
    finally:
        sandbox.remove()


def report(args, sandbox, ticket, waits, durations, failures, wall):
    runs = args.dialogs * args.rounds
    with open(os.path.join(sandbox.home, PROFILE_FILE), 'rb') as f:
        rgb = plistlib.load(f)['RGB']
    names = {rgb['FileName'][f'FileName{i:04d}'] for i in range(rgb['iNum'])}
    wanted = {f'W{d}R{r}.ICC' for d in range(1, args.dialogs + 1) for r in range(args.rounds)}
    with open(ticket, 'rb') as f:
        printers = set(plistlib.load(f).get('zq4410', {}))
    wanted_printers = {f'P{d}_{r}' for d in range(1, args.dialogs + 1) for r in range(args.rounds)}
    left = sorted(n for n in os.listdir(os.path.join(sandbox.home, 'Library', 'Preferences'))
                  if n.endswith(('.lock', '.damaged')) or '.plist.' in n)
    left += sorted(n for n in os.listdir(sandbox.home) if n.startswith('shared.plist.'))
    lock_waits = [tuple(map(int, line.split())) for line in open(waits)] if os.path.exists(waits) else []
    longest = max((w[1] for w in lock_waits), default=0) / 1e6
    waited = sum(1 for w in lock_waits if w[0])

    print(f'{args.dialogs} dialogs x {args.rounds} rounds, window held {args.hold} s: {runs} runs in {wall:.1f} s')
    print(f'profiles kept:  {len(names & wanted)} of {len(wanted)}')
    print(f'printers kept:  {len(printers & wanted_printers)} of {len(wanted_printers)}')
    print(f'failed runs:    {len(failures)}' + ''.join(f'\n  {f}' for f in failures[:5]))
    print(f'files left:     {left or "none"}')
    print(f'lock waits:     {waited} of {len(lock_waits)} runs waited; longest {longest:.3f} s')
    print(f'run time:       median {statistics.median(durations):.2f} s, longest {max(durations):.2f} s')
    ok = names >= wanted and printers >= wanted_printers and not failures and not left and longest < 1.0
    sys.exit(0 if ok else 1)


if __name__ == '__main__':
    main()
