<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>  文件  </source>
        <translation>  File  </translation>
    </message>
    <message>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>导入信道表(CSV)...</source>
        <translation>Import channels (CSV)...</translation>
    </message>
    <message>
        <source>导出信道表(CSV)...</source>
        <translation>Export channels (CSV)...</translation>
    </message>
    <message>
        <source>  语言  </source>
        <translation>  Language  </translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>英文</source>
        <translation>English</translation>
    </message>
    <message>
        <source>端口选择</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>数据通讯</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>读频通讯</source>
        <translation>Read Radio</translation>
    </message>
    <message>
        <source>写频通讯</source>
        <translation>Write Radio</translation>
    </message>
    <message>
        <source>快速通讯</source>
        <translation>Fast link</translation>
    </message>
    <message>
        <source>写频后校验</source>
        <translation>Verify after write</translation>
    </message>
    <message>
        <source>  帮助  </source>
        <translation>  Help  </translation>
    </message>
    <message>
        <source>帮助文档</source>
        <translation>Help Contents</translation>
    </message>
    <message>
        <source>[帮助文档]</source>
        <translation>[Help]</translation>
    </message>
    <message>
        <source>无法打开帮助文档(%1),请安装网页浏览器!</source>
        <translation>Cannot open the help (%1): please install a web browser.</translation>
    </message>
    <message>
        <source>刷新端口</source>
        <translation>Refresh Ports</translation>
    </message>
    <message>
        <source>[语言切换操作]</source>
        <translation>[Language Switch]</translation>
    </message>
    <message>
        <source>切换语言需要重新启动程序,未保存的修改将会丢失。现在重新启动吗?</source>
        <translation>Switching the language restarts the program; unsaved changes are lost. Restart now?</translation>
    </message>
    <message>
        <source>  编辑  </source>
        <translation>  Edit  </translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>复制信道</source>
        <translation>Copy channels</translation>
    </message>
    <message>
        <source>剪切信道</source>
        <translation>Cut channels</translation>
    </message>
    <message>
        <source>粘贴信道</source>
        <translation>Paste channels</translation>
    </message>
    <message>
        <source>删除信道</source>
        <translation>Delete channels</translation>
    </message>
    <message>
        <source>按频率排序</source>
        <translation>Sort by frequency</translation>
    </message>
    <message>
        <source>最近的文件</source>
        <translation>Recent files</translation>
    </message>
</context>
</TS>