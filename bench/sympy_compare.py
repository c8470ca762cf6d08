#!/usr/bin/python3
"""Least sums of products beside SymPy's SOPform on the same functions.

Runs the analysis benchmark (which writes its functions to a file), then SymPy's SOPform on the
first few functions of each set, each in a process of its own with a time limit, and prints a
Markdown table of terms, literals and seconds of both.

Usage: bench/sympy_compare.py BUILD/bench/brevano_bench_analysis [--per-set N] [--timeout SECONDS]
       [--budget SECONDS]
Needs Debian's python3-sympy (apt install python3-sympy); run it from a directory that holds no
file named like a standard module.
"""
import argparse
import csv
import io
import multiprocessing
import os
import subprocess
import tempfile
import time


def run_sopform(variables, minterms, queue):
    from sympy import symbols
    from sympy.logic import SOPform
    names = symbols("x0:%d" % variables)
    start = time.perf_counter()
    expression = SOPform(list(names), minterms)
    seconds = time.perf_counter() - start
    terms = expression.args if expression.func.__name__ == "Or" else (expression,)
    literals = 0
    for term in terms:
        literals += len(term.args) if term.func.__name__ == "And" else 1
    queue.put((len(terms), literals, seconds))


def sopform_with_limit(variables, minterms, timeout):
    queue = multiprocessing.Queue()
    process = multiprocessing.Process(target=run_sopform, args=(variables, minterms, queue))
    process.start()
    process.join(timeout)
    if process.is_alive():
        process.terminate()
        process.join()
        return None
    return queue.get() if not queue.empty() else None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("bench")
    parser.add_argument("--per-set", type=int, default=3)
    parser.add_argument("--timeout", type=float, default=60)
    parser.add_argument("--budget", type=float, default=10)
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as work:
        functions_path = os.path.join(work, "functions.txt")
        ours = subprocess.run([args.bench, "--budget", str(args.budget), "--write-functions", functions_path],
                              check=True, capture_output=True, text=True).stdout
        rows = {row["function"]: row for row in csv.DictReader(io.StringIO(ours))}
        functions = []
        for line in open(functions_path):
            set_name, name, rest = line.rstrip("\n").split("\t")
            numbers = [int(x) for x in rest.split()]
            functions.append((set_name, name, numbers[0], numbers[1:]))

    taken = {}
    print("| function | variables | 1 rows | ours: terms / literals | ours: status | ours: s "
          "| SOPform: terms / literals | SOPform: s |")
    print("|---|---|---|---|---|---|---|---|")
    for set_name, name, variables, minterms in functions:
        if taken.get(set_name, 0) >= args.per_set:
            continue
        taken[set_name] = taken.get(set_name, 0) + 1
        row = rows[name]
        theirs = sopform_with_limit(variables, minterms, args.timeout)
        if theirs is None:
            their_size, their_time = "-", "> %g" % args.timeout
        else:
            their_size, their_time = "%d / %d" % theirs[:2], "%.2f" % theirs[2]
        print("| %s | %d | %d | %s / %s | %s | %.2f | %s | %s |" % (
            name, variables, len(minterms), row["terms"], row["literals"], row["status"],
            int(row["milliseconds"]) / 1000, their_size, their_time))


if __name__ == "__main__":
    main()
