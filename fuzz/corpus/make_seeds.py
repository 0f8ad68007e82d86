#!/usr/bin/env python3
"""Writes the seed corpus of the catalogue's fuzz targets: realistic device
replies behind the header the targets decode (see catalogue_fuzz_case.h).
Run from this directory; the seeds are kept in the repository."""
import os
import struct

def header(code_index, op=0, port=0, index=0, on=0, fill=ord('x'), protocol=0, buffer_size=960, mode=0):
    return bytes([code_index, op & 0xFF, port, index & 0xFF, on, fill, protocol & 0xFF]) + \
        struct.pack('<H', buffer_size) + bytes([mode])

def answer(text):
    return b'\r\n' + text + b'\r\n\r\nOK\r\n'

SEEDS = {
    'switches': [header(0) + answer(b'1'), header(1, port=21) + answer(b'0'),
                 header(6, port=1, index=2, op=2) + b'\r\nOK\r\n', header(0) + b'\r\nERROR\r\n'],
    'digits': [header(0, port=11) + answer(b'3'), header(2, port=5) + answer(b'7'), header(3) + answer(b'2')],
    'texts': [header(0, index=2) + answer(b'0301234'), header(8, port=11, op=1) + answer(b'P11 0301 12:00'),
              header(9) + answer(b'EUR'), header(1, port=11, index=4) + answer(b'')],
    'lcr': [header(0, port=1, index=2) + answer(b'08-18'), header(0) + answer(b''),
            header(1) + answer(b'01033'), header(2) + answer(b'0190-0900')],
    'forwarding': [header(0, port=11) + answer(b'1:FWD:0301234'), header(1, port=21) + answer(b'0'),
                   header(2, port=22, op=1, on=1) + answer(b'2')],
    'data_port': [header(0, port=0) + answer(b'95'), header(0, port=6, protocol=1) + answer(b'128'),
                  header(0, port=5) + answer(b'0'), header(1, port=12) + answer(b'4711'),
                  header(2, port=8) + answer(b'3')],
    'line_info': [header(0) + answer(b'3'), header(2, buffer_size=200) + b'\r\nAT&F reset\r\nA&B\x08hidden\r\nOK\r\n',
                  header(4) + b'\r\n' + b''.join(b'Port %d state  %c\r\n' % (p, s)
                                                  for p, s in [(11, 49), (21, 48), (22, 49), (31, 48), (32, 49)])
                  + b'\r\nOK\r\n',
                  header(5, port=11) + answer(b'4')],
    'clock': [header(1, op=3) + answer(b'05/03/2001 07:08:09'), header(1, op=3) + answer(b'--/--/---- --:--:--'),
              header(0, port=11, op=3) + answer(b'07:30')],
    'call_log': [header(0, port=11, index=0) + answer(b'Date     Time     Number  Duration Charge Amount \r\n'
                                                     b'01.02.01 10:00:00 0301234 00:01:10 0,12 EUR'),
                 header(0, index=1, buffer_size=40) + answer(b'Number  Disc Cause\r\n02.02.01 11:00:00 0301 16'),
                 header(0, index=2) + answer(b'Number  Disc Cause')],
    'charges': [header(0, index=2) + answer(b'Charge:  P11: 1,230 EUR\r\nP21: 0,00 EUR\r\nATA: 0,00 EUR'),
                header(0, index=3, buffer_size=8) + answer(b'12,345 EUR'), header(0, index=0) + answer(b'')],
}

def record(**fields):
    rec = bytearray(208)
    for offset, value in fields.get('ints', {}).items():
        rec[offset:offset + 4] = struct.pack('<i', value)
    for offset, text in fields.get('texts', {}).items():
        rec[offset:offset + len(text)] = text
    return bytes(rec)

# The formatter's seeds: code, buffer mode, then the record (port 4, index 8,
# op 12, on 76, value 80, str 84, str2 116, str3 148, bufferSize 200).
SEEDS['format'] = [
    bytes([4, 0]) + record(ints={4: 21, 8: 3, 12: 1}, texts={84: b'0301234'}),
    bytes([27, 0]) + record(ints={12: 1}, texts={84: b'0190', 116: b'0900'}),
    bytes([29, 1]) + record(ints={4: 11, 200: 960}),
    bytes([47, 0]) + record(ints={4: 6, 8: 128, 12: 1, 84: 1}),
    bytes([8, 0]) + record(ints={12: 4, 80: 2001}, texts={84: bytes([3, 5, 7, 8, 9])}),
]

for family, seeds in SEEDS.items():
    os.makedirs(family, exist_ok=True)
    for number, seed in enumerate(seeds):
        with open(os.path.join(family, 'seed%d' % number), 'wb') as out:
            out.write(seed)
