# help alone lists the commands; with a word it shows that command's text.
stdin:
<help
<h
<help del
<help d
<help DEL
<H D
<help pdb
<help l
<help load
<help print
<help p
<help h
<help help
<help find
<help quit
<help q
<help xyz
<help del pdb
<help del 1 2 3 4 5 6 7 8
<q
stdout:
|ZEB> $
|\tAvailable Commands$
|\t-----------------------------------------------------------------------$
|\tload (or l) replay.spr\t\t\t- load a replay into database$
|\tprint (or p)\t\t\t\t- print currnetly loaded replay$
|\tpdb [flag [track] [car] [shrtrk]]\t- print database$
|\tdel [flag [racer] [trk] [car] [shtrk]]\t- delete db$
|\thelp (or h) [command]\t\t\t- help on available commands$
|\t-----------------------------------------------------------------------$
|\tquit (or q or [enter])\t\t\t- quit the program$
|\t-----------------------------------------------------------------------$
|$
|ZEB> $
|\tAvailable Commands$
|\t-----------------------------------------------------------------------$
|\tload (or l) replay.spr\t\t\t- load a replay into database$
|\tprint (or p)\t\t\t\t- print currnetly loaded replay$
|\tpdb [flag [track] [car] [shrtrk]]\t- print database$
|\tdel [flag [racer] [trk] [car] [shtrk]]\t- delete db$
|\thelp (or h) [command]\t\t\t- help on available commands$
|\t-----------------------------------------------------------------------$
|\tquit (or q or [enter])\t\t\t- quit the program$
|\t-----------------------------------------------------------------------$
|$
|ZEB> $
|\tsyntax:\t\tdel (or d) [flag] [params]$
|$
|\ttask:\t\tdelete various types of data from the database$
|$
|\tflags & params:\t-r racer$
|\t\t\t-t track$
|\t\t\t-c car$
|\t\t\t-s short_rack$
|\t\t\t-cs car short_track$
|\t\t\t-rt racer track$
|\t\t\t-rc racer car$
|\t\t\t-rs racer short_track$
|\t\t\t-rcs racer car short_track$
|$
|\texamples:\td\t\t\t: del the whole database$
|\t\t\td -r rokan2\t\t: del racer's rokan2 laptimes$
|\t\t\td -t as\t\t\t: del track's aston laptimes$
|\t\t\td -rcs rokan2 mrt as1\t: delete rokan2 as1@mrt laptimes$
|$
|ZEB> $
|\tsyntax:\t\tdel (or d) [flag] [params]$
|$
|\ttask:\t\tdelete various types of data from the database$
|$
|\tflags & params:\t-r racer$
|\t\t\t-t track$
|\t\t\t-c car$
|\t\t\t-s short_rack$
|\t\t\t-cs car short_track$
|\t\t\t-rt racer track$
|\t\t\t-rc racer car$
|\t\t\t-rs racer short_track$
|\t\t\t-rcs racer car short_track$
|$
|\texamples:\td\t\t\t: del the whole database$
|\t\t\td -r rokan2\t\t: del racer's rokan2 laptimes$
|\t\t\td -t as\t\t\t: del track's aston laptimes$
|\t\t\td -rcs rokan2 mrt as1\t: delete rokan2 as1@mrt laptimes$
|$
|ZEB> $
|\tsyntax:\t\tdel (or d) [flag] [params]$
|$
|\ttask:\t\tdelete various types of data from the database$
|$
|\tflags & params:\t-r racer$
|\t\t\t-t track$
|\t\t\t-c car$
|\t\t\t-s short_rack$
|\t\t\t-cs car short_track$
|\t\t\t-rt racer track$
|\t\t\t-rc racer car$
|\t\t\t-rs racer short_track$
|\t\t\t-rcs racer car short_track$
|$
|\texamples:\td\t\t\t: del the whole database$
|\t\t\td -r rokan2\t\t: del racer's rokan2 laptimes$
|\t\t\td -t as\t\t\t: del track's aston laptimes$
|\t\t\td -rcs rokan2 mrt as1\t: delete rokan2 as1@mrt laptimes$
|$
|ZEB> $
|\tsyntax:\t\tdel (or d) [flag] [params]$
|$
|\ttask:\t\tdelete various types of data from the database$
|$
|\tflags & params:\t-r racer$
|\t\t\t-t track$
|\t\t\t-c car$
|\t\t\t-s short_rack$
|\t\t\t-cs car short_track$
|\t\t\t-rt racer track$
|\t\t\t-rc racer car$
|\t\t\t-rs racer short_track$
|\t\t\t-rcs racer car short_track$
|$
|\texamples:\td\t\t\t: del the whole database$
|\t\t\td -r rokan2\t\t: del racer's rokan2 laptimes$
|\t\t\td -t as\t\t\t: del track's aston laptimes$
|\t\t\td -rcs rokan2 mrt as1\t: delete rokan2 as1@mrt laptimes$
|$
|ZEB> $
|\tsyntax:\t\tpdb [flag] [params]$
|$
|\ttask:\t\tprint various types of data from the database$
|$
|\tflags & params:\t-t track$
|\t\t\t-c car$
|\t\t\t-s short_track$
|\t\t\t-cs car short_track$
|$
|\texamples:\tpdb\t\t: print the whole database$
|\t\t\tpdb -t as\t: print track's Aston laptimes$
|\t\t\tpdb -c mrt\t: print car's MRT laptimes$
|\t\t\tpdb -cs mrt as1\t: print as1@mrt laptimes$
|$
|ZEB> $
|\tsyntax: load (or l) filename.spr$
|$
|\t\tload a replay to the memory and into the database$
|\t\t(replay's filename MUST be in english)$
|ZEB> $
|\tsyntax: load (or l) filename.spr$
|$
|\t\tload a replay to the memory and into the database$
|\t\t(replay's filename MUST be in english)$
|ZEB> $
|\tsyntax: print (or p)$
|$
|\ttask:\tprint the currently loaded replay.spr$
|\t\t(data are shown exactly as they were saved inside the replay)$
|ZEB> $
|\tsyntax: print (or p)$
|$
|\ttask:\tprint the currently loaded replay.spr$
|\t\t(data are shown exactly as they were saved inside the replay)$
|ZEB> $
|\tsyntax: help (or h) [command]$
|$
|\ttask:\tshow help for a given command$
|\t\t(if no command is specified, displays a list of all commands)$
|ZEB> $
|\tsyntax: help (or h) [command]$
|$
|\ttask:\tshow help for a given command$
|\t\t(if no command is specified, displays a list of all commands)$
|ZEB> \tvalid commands: $
|$
|ZEB> \tvalid commands: $
|$
|ZEB> \tvalid commands: $
|$
|ZEB> \tvalid commands: $
|$
|ZEB> \t(extra parameters ignored)$
|$
|\tsyntax:\t\tdel (or d) [flag] [params]$
|$
|\ttask:\t\tdelete various types of data from the database$
|$
|\tflags & params:\t-r racer$
|\t\t\t-t track$
|\t\t\t-c car$
|\t\t\t-s short_rack$
|\t\t\t-cs car short_track$
|\t\t\t-rt racer track$
|\t\t\t-rc racer car$
|\t\t\t-rs racer short_track$
|\t\t\t-rcs racer car short_track$
|$
|\texamples:\td\t\t\t: del the whole database$
|\t\t\td -r rokan2\t\t: del racer's rokan2 laptimes$
|\t\t\td -t as\t\t\t: del track's aston laptimes$
|\t\t\td -rcs rokan2 mrt as1\t: delete rokan2 as1@mrt laptimes$
|$
|ZEB> \t(extra parameters ignored)$
|$
|\tsyntax:\t\tdel (or d) [flag] [params]$
|$
|\ttask:\t\tdelete various types of data from the database$
|$
|\tflags & params:\t-r racer$
|\t\t\t-t track$
|\t\t\t-c car$
|\t\t\t-s short_rack$
|\t\t\t-cs car short_track$
|\t\t\t-rt racer track$
|\t\t\t-rc racer car$
|\t\t\t-rs racer short_track$
|\t\t\t-rcs racer car short_track$
|$
|\texamples:\td\t\t\t: del the whole database$
|\t\t\td -r rokan2\t\t: del racer's rokan2 laptimes$
|\t\t\td -t as\t\t\t: del track's aston laptimes$
|\t\t\td -rcs rokan2 mrt as1\t: delete rokan2 as1@mrt laptimes$
|$
|ZEB> %
