#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Benchmark of the dialog against its peers, in alternating runs (medians and their ratio).

snmpd serves a generated profile table (override lines, so no helper process stands between the
agent and the client) on 127.0.0.1; a private home (nss_wrapper) holds a full profile list file.
The round trips are counted, and the walk timed again, through a proxy that holds every datagram
1 ms in each direction; tickets of growing size are read and written beside plistlib.
Usage: bench/run.py [BUILD_DIR] [--runs N] [--rows N] [--latency-runs N] [--ticket-runs N]
                    [--only dialog|latency|tickets|chooser ...]
"""
import argparse
import os
import plistlib
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import time
import json

from delay_proxy import DelayProxy

TABLE = '1.3.6.1.4.1.51234.1.1.1.1.6.13.1.1'
COMMUNITY = 'orchid'
PROFILE_FILE = 'Library/Preferences/jp.tessaluma.printers.zq4410PS.profile.plist'
FIELDS = ['IndexOnDevice', 'InMenu', 'ProfileClass', 'FileName', 'ProfileName', 'Location']


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


def table_lines(rows):
    lines = []
    for row in range(1, rows + 1):
        cells = [(1, 'integer', row), (2, 'integer', 4), (3, 'octet_str', f'"Profile {row}"'),
                 (4, 'octet_str', f'"prof{row:04d}.icc"'), (5, 'integer', 1), (7, 'integer', 1)]
        for column, kind, value in cells:
            lines.append(f'override .{TABLE}.{column}.1.{row} {kind} {value}')
    return lines


def profile_list():
    def one_list():
        fields = {field: {} for field in FIELDS}
        for i in range(500):
            fields['IndexOnDevice'][f'IndexOnDevice{i:04d}'] = 0
            fields['InMenu'][f'InMenu{i:04d}'] = 6
            fields['ProfileClass'][f'ProfileClass{i:04d}'] = 1
            fields['FileName'][f'FileName{i:04d}'] = f'user{i:04d}.icc'
            fields['ProfileName'][f'ProfileName{i:04d}'] = f'User profile {i}'
            fields['Location'][f'Location{i:04d}'] = 4
        return dict(fields, iNum=500)
    return {'RGB': one_list(), 'SIM': one_list(), 'DST': one_list(), 'PlistVersion': 1}


class Sandbox:
    def __init__(self, rows):
        self.dir = tempfile.mkdtemp(prefix='tlco-bench.')
        self.home = os.path.join(self.dir, 'home')
        os.makedirs(os.path.join(self.home, 'Library/Preferences'))
        uid, gid = os.getuid(), os.getgid()
        with open(os.path.join(self.dir, 'passwd'), 'w') as f:
            f.write(f'bench:x:{uid}:{gid}:bench:{self.home}:/bin/sh\n')
        with open(os.path.join(self.dir, 'group'), 'w') as f:
            f.write(f'bench:x:{gid}:\n')
        self.port = free_port()
        with open(os.path.join(self.dir, 'snmp.conf'), 'w') as f:
            f.write(f'defaultPort {self.port}\nmibs :\n')
        conf = os.path.join(self.dir, 'snmpd.conf')
        with open(conf, 'w') as f:
            f.write(f'agentAddress udp:127.0.0.1:{self.port}\nrocommunity {COMMUNITY} 127.0.0.1\n')
            f.write('\n'.join(table_lines(rows)) + '\n')
        agent_dir = os.path.join(self.dir, 'agent')
        os.makedirs(agent_dir)
        self.snmpd = subprocess.Popen(
            ['/usr/sbin/snmpd', '-f', '-Lf', os.path.join(self.dir, 'snmpd.log'), '-C', '-c', conf,
             '-p', os.path.join(self.dir, 'snmpd.pid'), '-M', '/nonexistent', '-m', ''],
            env=dict(os.environ, SNMP_PERSISTENT_DIR=agent_dir, SNMPCONFPATH=agent_dir))
        self.env = dict(os.environ, LD_PRELOAD='libnss_wrapper.so', NSS_WRAPPER_PASSWD=self.dir + '/passwd',
                        NSS_WRAPPER_GROUP=self.dir + '/group', HOME=self.home, SNMPCONFPATH=self.dir,
                        SNMP_PERSISTENT_DIR=self.dir, MIBS='', LC_ALL='C')
        self.env.pop('LANGUAGE', None)
        self.wait_for_agent()

    def wait_for_agent(self):
        for _ in range(100):
            if subprocess.run(['snmpget', '-v1', '-c', COMMUNITY, '-t', '0.1', '-r', '0', '127.0.0.1',
                               f'.{TABLE}.1.1.1'], env=self.env, capture_output=True).returncode == 0:
                return
            time.sleep(0.1)
        sys.exit('snmpd did not come up: ' + open(os.path.join(self.dir, 'snmpd.log')).read())

    def through(self, port):
        """The environment of a client whose requests go to `port` (a proxy) instead of snmpd."""
        folder = os.path.join(self.dir, f'via-{port}')
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, 'snmp.conf'), 'w') as f:
            f.write(f'defaultPort {port}\nmibs :\n')
        return dict(self.env, SNMPCONFPATH=folder)

    def write_profile_list(self):
        path = os.path.join(self.home, PROFILE_FILE)
        with open(path, 'wb') as f:
            plistlib.dump(profile_list(), f)
        return path

    def close(self):
        self.snmpd.terminate()
        self.snmpd.wait(timeout=10)
        shutil.rmtree(self.dir, ignore_errors=True)


def timed(command, env, stdin=None):
    start = time.perf_counter()
    done = subprocess.run(command, env=env, input=stdin, capture_output=True, text=True, timeout=120)
    elapsed = (time.perf_counter() - start) * 1000
    if done.returncode != 0:
        sys.exit(f'{command[0]} failed ({done.returncode}): {done.stderr}')
    return elapsed


def alternate(runs, first, second):
    """Medians of each, and the median of the differences within each pair: the VM's speed drifts
    between runs, and a pair sees the same speed."""
    a, b = [], []
    for _ in range(runs):
        a.append(first())
        b.append(second())
    return statistics.median(a), statistics.median(b), statistics.median(x - y for x, y in zip(a, b))


def plistlib_times(path, runs):
    def load():
        start = time.perf_counter()
        with open(path, 'rb') as f:
            plistlib.load(f)
        return (time.perf_counter() - start) * 1000

    with open(path, 'rb') as f:
        value = plistlib.load(f)

    def dump():
        start = time.perf_counter()
        temp = path + '.bench'
        with open(temp, 'wb') as f:
            plistlib.dump(value, f)
            f.flush()
            os.fsync(f.fileno())
        os.rename(temp, path)
        return (time.perf_counter() - start) * 1000

    return statistics.median(load() for _ in range(runs)), statistics.median(dump() for _ in range(runs))


def allocations(command, env, build, stdin=None):
    """Heap allocations of one run, counted by bench_alloc_count.so."""
    with tempfile.NamedTemporaryFile(mode='r') as counted:
        counting = dict(env, ALLOC_COUNT_FILE=counted.name,
                        LD_PRELOAD=os.path.abspath(os.path.join(build, 'bin/bench_alloc_count.so')) + ':' +
                        env.get('LD_PRELOAD', ''))
        done = subprocess.run(command, env=counting, input=stdin, capture_output=True, text=True, timeout=120)
        if done.returncode != 0:
            sys.exit(f'{command[0]} failed ({done.returncode}): {done.stderr}')
        return int(counted.read().split()[-1])


def fsync_alone(home, path, runs=21):
    """The floor of a durable write: the median fsync of the file's bytes written to a new file."""
    data = open(path, 'rb').read()
    times = []
    for _ in range(runs):
        temp = os.path.join(home, 'fsync-probe')
        fd = os.open(temp, os.O_CREAT | os.O_WRONLY | os.O_TRUNC, 0o600)
        os.write(fd, data)
        start = time.perf_counter()
        os.fsync(fd)
        times.append((time.perf_counter() - start) * 1000)
        os.close(fd)
        os.unlink(temp)
    return statistics.median(times)


def report(name, ours, peer, peer_name):
    ratio = f'{ours / peer:.2f}x' if peer else '-'
    print(f'{name:44s} {ours:8.1f} ms   {peer_name} {peer:8.1f} ms   ratio {ratio}')


def dialog_runs(args, box, printdialog, profile_io):
    path = box.write_profile_list()
    ours, peer, margin = alternate(args.runs, lambda: timed(network_command(printdialog), box.env, SCRIPT),
                                   lambda: timed(walk_command(), box.env))
    report(f'panelView; restore; summary, {args.rows}-row walk', ours, peer, 'snmpwalk')
    print(f'{"  beyond snmpwalk, within each pair":44s} {margin:+8.1f} ms')
    print(f'{"heap allocations of that run":44s} {allocations(network_command(printdialog), box.env, args.build, SCRIPT):8d}'
          f'   snmpwalk {allocations(walk_command(), box.env, args.build):8d}')
    box.write_profile_list()
    usb = [printdialog, '--script', '-', '--device-uri', 'usb://TESSALUMA/zq4410']
    usb_time = statistics.median(timed(usb, box.env, SCRIPT) for _ in range(args.runs))
    print(f'{"the same on a USB printer (no walk)":44s} {usb_time:8.1f} ms')
    box.write_profile_list()
    io = subprocess.run([profile_io, str(max(args.runs, 21))], env=box.env, capture_output=True, text=True,
                        timeout=300)
    if io.returncode != 0:
        sys.exit('bench_profile_io failed: ' + io.stderr)
    measured = json.loads(io.stdout)
    box.write_profile_list()
    load, dump = plistlib_times(path, max(args.runs, 21))
    print(f'{"restore: 7 list reads after a change":44s} {measured["restore_reads_ms"]:8.1f} ms')
    report('full read of the profile list file', measured['read_ms'], load, 'plistlib.load')
    report('full write (fsync, rename)', measured['write_ms'], dump, 'plistlib.dump')
    print(f'{"  of which formatting the bytes":44s} {measured["format_ms"]:8.1f} ms')
    print(f'{"  one fsync of that file alone":44s} {fsync_alone(box.home, path):8.1f} ms')


def latency_runs(args, box, printdialog):
    """Round trips counted through a proxy that adds nothing, then the walk timed through one that
    holds each datagram 1 ms in each direction."""
    with_proxy(box, 0.0, lambda proxy: count_round_trips(box, printdialog, proxy))
    with_proxy(box, 0.001, lambda proxy: time_with_latency(args, box, printdialog, proxy))


def with_proxy(box, delay_s, use):
    proxy = DelayProxy(box.port, delay_s).start()
    try:
        use(proxy)
    finally:
        proxy.stop()


def count_round_trips(box, printdialog, proxy):
    box.write_profile_list()
    timed(network_command(printdialog), box.through(proxy.port), SCRIPT)
    ours = proxy.take_count()
    timed(walk_command(proxy.port), box.env)
    theirs = proxy.take_count()
    print(f'{"round trips of that walk":44s} {ours:8d}      snmpwalk {theirs:8d}      ratio {ours / theirs:.2f}x')


def time_with_latency(args, box, printdialog, proxy):
    env = box.through(proxy.port)

    def ours():
        box.write_profile_list()
        return timed(network_command(printdialog), env, SCRIPT)

    mine, peer, margin = alternate(args.latency_runs, ours, lambda: timed(walk_command(proxy.port), box.env))
    report('the same, 1 ms more each way per datagram', mine, peer, 'snmpwalk')


def ticket(keys):
    """A ticket another program might have written: settings of many kinds under sorted keys."""
    root = {}
    for i in range(keys):
        key = f'com.example.setting.{i:06d}'
        if i % 50 == 0:
            root[key] = {'name': f'preset {i}', 'copies': i, 'collate': True}
        elif i % 10 == 0:
            root[key] = i
        else:
            root[key] = f'value {i}'
    return root


def ticket_sizes():
    """Key counts up to the largest ticket under the 16 MB cap of the file reader."""
    cap = 16 << 20
    per_key = len(plistlib.dumps(ticket(1000))) / 1000
    largest = int(cap / per_key)
    while len(plistlib.dumps(ticket(largest))) > cap:
        largest -= 1000
    return [1000, 10000, 100000, 200000, largest]


def peak_kb(ticket_io, path, env):
    """The peak resident size of one read and write of the ticket at `path`."""
    done = subprocess.run([ticket_io, path, '1', '--once'], env=env, capture_output=True, text=True, timeout=300)
    if done.returncode != 0:
        sys.exit('bench_ticket_io failed: ' + done.stderr)
    return json.loads(done.stdout)['peak_kb']


def plistlib_in_process(data, runs):
    def load():
        start = time.perf_counter()
        plistlib.loads(data)
        return (time.perf_counter() - start) * 1000

    value = plistlib.loads(data)

    def dump():
        start = time.perf_counter()
        plistlib.dumps(value)
        return (time.perf_counter() - start) * 1000

    return statistics.median(load() for _ in range(runs)), statistics.median(dump() for _ in range(runs))


def ticket_runs(args, box):
    """The ticket's read and write at growing sizes: in process beside plistlib's and libplist's,
    through the file, and the peak memory of one read and write against the file's size."""
    ticket_io = os.path.join(args.build, 'bin/bench_ticket_io')
    print(f'{"ticket keys":>12s} {"MiB":>6s} {"ours us/key":>12s} {"file us/key":>12s} {"plistlib":>9s} '
          f'{"ratio":>6s} {"libplist":>9s} {"peak/file":>10s}')
    tiny = os.path.join(box.dir, 'tiny.plist')
    with open(tiny, 'wb') as f:
        plistlib.dump(ticket(1), f)
    baseline = peak_kb(ticket_io, tiny, box.env)
    for keys in ticket_sizes():
        path = os.path.join(box.dir, 'ticket.plist')
        data = plistlib.dumps(ticket(keys))
        with open(path, 'wb') as f:
            f.write(data)
        done = subprocess.run([ticket_io, path, str(args.ticket_runs)], env=box.env, capture_output=True, text=True,
                              timeout=900)
        if done.returncode != 0:
            sys.exit('bench_ticket_io failed: ' + done.stderr)
        m = json.loads(done.stdout)
        count = m['keys']
        ours = (m['parse_ms'] + m['format_ms']) * 1000 / count
        on_file = (m['read_file_ms'] + m['write_file_ms']) * 1000 / count
        load, dump = plistlib_in_process(data, args.ticket_runs)
        theirs = (load + dump) * 1000 / count
        libplist = (m['libplist_parse_ms'] + m['libplist_format_ms']) * 1000 / count
        peak = peak_kb(ticket_io, path, box.env) - baseline
        print(f'{count:12d} {len(data) / (1 << 20):6.1f} {ours:12.2f} {on_file:12.2f} {theirs:9.2f} {ours / theirs:5.2f}x '
              f'{libplist:9.2f} {peak * 1024 / len(data):9.1f}x')


def chooser_runs(args):
    # The window's own script starts a private cupsd with 1, 100 and 1,000 queues and times the window.
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'window_input.py')
    result = subprocess.run([sys.executable, script, args.build, '--json'], capture_output=True, text=True)
    if result.returncode != 0:
        print(f'{"chooser input-ready":44s} not measured: {result.stderr.strip()}')
        return
    for line in result.stdout.splitlines():
        if not line.startswith('{'):
            continue
        m = json.loads(line)
        print(f'{"chooser, %d queues: input ready / longest wait / listed" % m["queues"]:56s} '
              f'{m["ready_ms"]:.1f} / {m["longest_wait_ms"]:.1f} / {m["listed_ms"]:.1f} ms')


SCRIPT = 'panelView\nrestore\nsummary\n'


def network_command(printdialog):
    return [printdialog, '--script', '-', '--device-uri', 'lpd://127.0.0.1/queue']


def walk_command(port=None):
    peer = f'127.0.0.1:{port}' if port else '127.0.0.1'
    return ['snmpwalk', '-v1', '-c', COMMUNITY, '-Os', peer, TABLE]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('build', nargs='?', default='build')
    parser.add_argument('--runs', type=int, default=11)
    parser.add_argument('--rows', type=int, default=500)
    parser.add_argument('--latency-runs', type=int, default=3)
    parser.add_argument('--ticket-runs', type=int, default=3)
    parser.add_argument('--only', action='append', choices=['dialog', 'latency', 'tickets', 'chooser'])
    args = parser.parse_args()
    parts = args.only or ['dialog', 'latency', 'tickets', 'chooser']
    printdialog = os.path.join(args.build, 'bin/printdialog')
    profile_io = os.path.join(args.build, 'bin/bench_profile_io')
    box = Sandbox(args.rows)
    try:
        if 'dialog' in parts:
            dialog_runs(args, box, printdialog, profile_io)
        if 'latency' in parts:
            latency_runs(args, box, printdialog)
        if 'tickets' in parts:
            ticket_runs(args, box)
        if 'chooser' in parts:
            chooser_runs(args)
    finally:
        box.close()


if __name__ == '__main__':
    main()
