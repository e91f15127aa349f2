#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""How soon the print window takes input while the CUPS printer list comes in.

Starts a private cupsd on 127.0.0.1 (as root: it runs its children as lp), gives it 1, 100 and 1,000
raw queues, and runs the window for a person (offscreen, in a private home through nss_wrapper)
against it: the time from showing to the first input taken, the longest input would have waited
while the list came in, and when the chooser held every queue (medians of the runs).
Usage: bench/window_input.py [BUILD_DIR] [--runs N] [--counts 1,100,1000] [--json]
"""
import argparse
import grp
import json
import os
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import time


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


class Cupsd:
    def __init__(self):
        self.root = tempfile.mkdtemp(prefix='tlco-cupsd.')
        os.chmod(self.root, 0o755)
        for sub in ('conf', 'spool', 'spool/tmp', 'cache', 'state', 'ssl', 'log'):
            os.makedirs(os.path.join(self.root, sub), mode=0o755)
        self.port = free_port()
        self.address = f'127.0.0.1:{self.port}'
        conf = os.path.join(self.root, 'conf/cupsd.conf')
        files = os.path.join(self.root, 'conf/cups-files.conf')
        with open(conf, 'w') as out:
            out.write(f'Listen {self.address}\nLogLevel warn\nBrowsing Off\nWebInterface No\n'
                      'DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow from 127.0.0.1\n'
                      '</Location>\n<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n'
                      '</Policy>\n')
        with open(files, 'w') as out:
            r = self.root
            out.write(f'ServerRoot {r}/conf\nRequestRoot {r}/spool\nTempDir {r}/spool/tmp\n'
                      f'CacheDir {r}/cache\nStateDir {r}/state\nServerKeychain {r}/ssl\n'
                      f'Printcap {r}/printcap\nErrorLog {r}/log/error_log\nAccessLog {r}/log/access_log\n'
                      f'PageLog {r}/log/page_log\nUser lp\nGroup lp\nSystemGroup root\nFileDevice No\n')
        lp = grp.getgrnam('lp').gr_gid
        for path in (os.path.join(self.root, 'conf'), conf, files):
            os.chown(path, 0, lp)
        self.process = subprocess.Popen(['/usr/sbin/cupsd', '-f', '-c', conf, '-s', files],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            try:
                socket.create_connection(('127.0.0.1', self.port), timeout=0.2).close()
                break
            except OSError:
                time.sleep(0.05)
        else:
            self.close()
            sys.exit('cupsd did not come up')
        self.queues = 0

    def grow_to(self, count):
        env = dict(os.environ, LD_PRELOAD='')
        while self.queues < count:
            self.queues += 1
            subprocess.run(['/usr/sbin/lpadmin', '-h', self.address, '-p', f'q{self.queues:04d}', '-E',
                            '-v', 'usb://TESSALUMA/zq4410', '-m', 'raw', '-L', f'Room {self.queues}'],
                           check=True, env=env, timeout=30, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def close(self):
        self.process.terminate()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
        shutil.rmtree(self.root, ignore_errors=True)


class Home:
    """A private home: the password database (nss_wrapper) and HOME point at a fresh folder."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix='tlco-home.')
        self.home = os.path.join(self.dir, 'home')
        os.mkdir(self.home, 0o700)
        user, uid, gid = os.environ.get('USER', 'bench'), os.getuid(), os.getgid()
        with open(os.path.join(self.dir, 'passwd'), 'w') as out:
            out.write(f'{user}:x:{uid}:{gid}:bench:{self.home}:/bin/sh\n')
        with open(os.path.join(self.dir, 'group'), 'w') as out:
            out.write(f'bench:x:{gid}:\n')

    def env(self, server):
        return dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, '.config'),
                    XDG_RUNTIME_DIR=self.home, LD_PRELOAD='libnss_wrapper.so',
                    NSS_WRAPPER_PASSWD=os.path.join(self.dir, 'passwd'),
                    NSS_WRAPPER_GROUP=os.path.join(self.dir, 'group'),
                    QT_QPA_PLATFORM='offscreen', CUPS_SERVER=server, LC_ALL='C.UTF-8')

    def close(self):
        shutil.rmtree(self.dir, ignore_errors=True)


def one_run(build, count, home, server):
    probe = os.path.join(build, 'bin', 'bench_window_input')
    result = subprocess.run([probe, str(count), os.path.join(build, 'bin')], capture_output=True, text=True,
                            env=home.env(server), timeout=60)
    lines = [line for line in result.stdout.splitlines() if line.startswith('{')]
    if result.returncode != 0 or not lines:
        sys.exit(f'bench_window_input failed ({result.returncode}): {result.stderr.strip()}')
    return json.loads(lines[-1])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('build', nargs='?', default='build')
    parser.add_argument('--runs', type=int, default=7)
    parser.add_argument('--counts', default='1,100,1000')
    parser.add_argument('--json', action='store_true', help='one JSON object per queue count')
    args = parser.parse_args()
    if os.getuid() != 0:
        sys.exit('window_input.py starts cupsd, which must run as root')
    counts = [int(c) for c in args.counts.split(',')]
    server, home = Cupsd(), Home()
    try:
        if not args.json:
            print(f'{"queues":>7} {"ready":>9} {"longest wait":>13} {"list shown":>11}   (medians of {args.runs} runs)')
        for count in counts:
            server.grow_to(count)
            runs = [one_run(args.build, count, home, server.address) for _ in range(args.runs)]
            figures = {key: statistics.median(run[key] for run in runs)
                       for key in ('ready_ms', 'longest_wait_ms', 'listed_ms')}
            figures['worst_wait_ms'] = max(run['longest_wait_ms'] for run in runs)
            if args.json:
                print(json.dumps(dict(figures, queues=count, runs=args.runs)))
            else:
                print(f'{count:>7} {figures["ready_ms"]:>7.1f}ms {figures["longest_wait_ms"]:>11.1f}ms '
                      f'{figures["listed_ms"]:>9.1f}ms   (worst wait {figures["worst_wait_ms"]:.1f} ms)')
    finally:
        server.close()
        home.close()


if __name__ == '__main__':
    main()
