#!/usr/bin/python3
"""The reads of a full read, one by one, by pymodbus's ASCII client.

usage: pymodbus_read.py PORT STATION RUNS REGISTER...
Prints the seconds of each run, one per line.
"""
import sys
import time

from pymodbus.client import ModbusSerialClient
from pymodbus.transaction import ModbusAsciiFramer


def main():
    port, station, runs = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    registers = [int(r) for r in sys.argv[4:]]
    client = ModbusSerialClient(port=port, framer=ModbusAsciiFramer, baudrate=38400, timeout=1)
    if not client.connect():
        print("cannot open " + port, file=sys.stderr)
        return 1
    for _ in range(runs):
        start = time.monotonic()
        for register in registers:
            reply = client.read_holding_registers(register, 1, slave=station)
            if reply.isError():
                print("register %d: %s" % (register, reply), file=sys.stderr)
                return 1
        print("%.6f" % (time.monotonic() - start))
    client.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
