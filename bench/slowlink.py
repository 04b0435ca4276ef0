#!/usr/bin/env python3
"""A slow network link for X over TCP: listens on LISTEN_PORT on the loopback
and forwards each connection to TARGET_PORT there, delaying every byte by
DELAY_MS in each direction and carrying at most MBITS megabits a second each
way. As a TCP sender does, each direction stops reading once a window of
bytes (the link's bandwidth-delay product) is in flight, so the sender
waits instead of the link buffering without bound.
Usage: slowlink.py LISTEN_PORT TARGET_PORT [DELAY_MS MBITS]"""
import asyncio
import sys
import time

CHUNK = 65536  # bytes read at a time


async def pump(reader, writer, delay, rate):
    window = max(int(rate * 2 * delay), CHUNK)  # bytes in flight at most
    queue = asyncio.Queue()
    inflight = 0
    room = asyncio.Event()
    room.set()

    async def send():
        nonlocal inflight
        free_at = 0.0  # when the link has sent what it holds
        while True:
            due, data = await queue.get()
            if data is None:
                break
            start = max(due, free_at)
            free_at = start + len(data) / rate
            wait = free_at - time.monotonic()
            if wait > 0:
                await asyncio.sleep(wait)
            writer.write(data)
            await writer.drain()
            inflight -= len(data)
            if inflight < window:
                room.set()
        writer.close()

    sender = asyncio.create_task(send())
    try:
        while True:
            await room.wait()
            data = await reader.read(CHUNK)
            if not data:
                break
            inflight += len(data)
            if inflight >= window:
                room.clear()
            queue.put_nowait((time.monotonic() + delay, data))
    except ConnectionError:
        pass
    queue.put_nowait((0, None))
    try:
        await sender
    except ConnectionError:
        pass


async def main():
    listen, target = int(sys.argv[1]), int(sys.argv[2])
    delay = (float(sys.argv[3]) if len(sys.argv) > 3 else 50) / 1000
    rate = (float(sys.argv[4]) if len(sys.argv) > 4 else 100) * 1e6 / 8  # bytes a second

    async def accept(client_r, client_w):
        server_r, server_w = await asyncio.open_connection("127.0.0.1", target)
        await asyncio.gather(pump(client_r, server_w, delay, rate),
                             pump(server_r, client_w, delay, rate))

    server = await asyncio.start_server(accept, "127.0.0.1", listen)
    async with server:
        await server.serve_forever()


asyncio.run(main())
