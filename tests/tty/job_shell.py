"""A shell's job control, reduced to one job: runs the program given as its
arguments in a process group of its own at the front of the terminal. When
Ctrl-Z stops it, this takes the terminal back in the mode it found, writes
"[stopped]", and on a typed line "fg" gives the terminal back and sends the
job SIGCONT, as an interactive shell does. Ends with "status=N" and the
terminal's `stty -a`."""
import os
import signal
import subprocess
import sys
import termios

found = termios.tcgetattr(0)
signal.signal(signal.SIGTTOU, signal.SIG_IGN)  # the terminal is handed over from the back
pid = os.fork()
if pid == 0:
    os.setpgid(0, 0)
    os.tcsetpgrp(0, os.getpid())
    signal.signal(signal.SIGTTOU, signal.SIG_DFL)
    os.execv(sys.argv[1], sys.argv[1:])
try:
    os.setpgid(pid, pid)
except PermissionError:
    pass  # the job has put itself in its group already, and started the program
os.tcsetpgrp(0, pid)
while True:
    _, status = os.waitpid(pid, os.WUNTRACED)
    if not os.WIFSTOPPED(status):
        break
    os.tcsetpgrp(0, os.getpgrp())
    termios.tcsetattr(0, termios.TCSADRAIN, found)
    os.write(1, b"\r\n[stopped]\r\n")
    while sys.stdin.readline().strip() != "fg":
        pass
    os.tcsetpgrp(0, pid)
    os.killpg(pid, signal.SIGCONT)
code = os.WEXITSTATUS(status) if os.WIFEXITED(status) else 128 + os.WTERMSIG(status)
sys.stdout.write(f"status={code}\n")
sys.stdout.flush()
subprocess.run(["stty", "-a"])
