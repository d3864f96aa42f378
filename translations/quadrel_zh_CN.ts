<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Quadrel</name>
    <message>
        <source>%1 cuts</source>
        <translation>%1 个切面</translation>
    </message>
    <message>
        <source>%1 cuts are selected.</source>
        <translation>已选择 %1 个切面。</translation>
    </message>
    <message>
        <source>%1 folders</source>
        <translation>%1 个文件夹</translation>
    </message>
    <message>
        <source>%1 planning file(s) are imported as a measurement into a new folder in %2, then opened. Import them?</source>
        <translation>%1 个规划文件将作为测量数据导入到 %2 中的新文件夹，然后打开。是否导入？</translation>
    </message>
    <message>
        <source>%1 warnings while %2</source>
        <translation>%2时有 %1 条警告</translation>
    </message>
    <message>
        <source>%1图片保存成功。</source>
        <translation>%1图片保存成功。</translation>
    </message>
    <message>
        <source>&amp;About Quadrel Unit...</source>
        <translation>关于 Quadrel Unit(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Analysis</source>
        <translation>分析(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Close All</source>
        <translation>全部关闭(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Indicators</source>
        <translation>指标(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Redo Envelope and Gain Configuration</source>
        <translation>重做包络与增益配置(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Redo Horizontal Parameter Setup</source>
        <translation>重做水平参数设置(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Redo Level Adjustment</source>
        <translation>重做电平调整(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Redo Non Rotate</source>
        <translation>重做取消旋转(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Redo Pattern Drag</source>
        <translation>重做方向图拖动(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Redo Radiation Parameter Setup</source>
        <translation>重做辐射参数设置(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Redo Rotate for Display</source>
        <translation>重做显示旋转(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Redo Rotate the Data</source>
        <translation>重做数据旋转(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Redo Vertical Parameters Setup</source>
        <translation>重做垂直参数设置(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Undo Envelope and Gain Configuration</source>
        <translation>撤销包络与增益配置(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Undo Horizontal Parameter Setup</source>
        <translation>撤销水平参数设置(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Undo Level Adjustment</source>
        <translation>撤销电平调整(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Undo Non Rotate</source>
        <translation>撤销取消旋转(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Undo Pattern Drag</source>
        <translation>撤销方向图拖动(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Undo Radiation Parameter Setup</source>
        <translation>撤销辐射参数设置(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Undo Rotate for Display</source>
        <translation>撤销显示旋转(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Undo Rotate the Data</source>
        <translation>撤销数据旋转(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Undo Vertical Parameters Setup</source>
        <translation>撤销垂直参数设置(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>(Max - Min)/2</source>
        <translation>（最大 - 最小）/2</translation>
    </message>
    <message>
        <source>+ X°Level</source>
        <translation>+X° 电平</translation>
    </message>
    <message>
        <source>+X° Level</source>
        <translation>+X° 电平</translation>
    </message>
    <message>
        <source>- X°Level</source>
        <translation>-X° 电平</translation>
    </message>
    <message>
        <source>-X° Level</source>
        <translation>-X° 电平</translation>
    </message>
    <message>
        <source>1 cut</source>
        <translation>1 个切面</translation>
    </message>
    <message>
        <source>1 end</source>
        <translation>1 终止</translation>
    </message>
    <message>
        <source>1 folder</source>
        <translation>1 个文件夹</translation>
    </message>
    <message>
        <source>1 start</source>
        <translation>1 起始</translation>
    </message>
    <message>
        <source>1 warning while %1</source>
        <translation>%1时有 1 条警告</translation>
    </message>
    <message>
        <source>10 end</source>
        <translation>10 终止</translation>
    </message>
    <message>
        <source>10 start</source>
        <translation>10 起始</translation>
    </message>
    <message>
        <source>2 end</source>
        <translation>2 终止</translation>
    </message>
    <message>
        <source>2 start</source>
        <translation>2 起始</translation>
    </message>
    <message>
        <source>3 end</source>
        <translation>3 终止</translation>
    </message>
    <message>
        <source>3 start</source>
        <translation>3 起始</translation>
    </message>
    <message>
        <source>3dB Reference Line</source>
        <translation>3dB 参考线</translation>
    </message>
    <message>
        <source>4 end</source>
        <translation>4 终止</translation>
    </message>
    <message>
        <source>4 start</source>
        <translation>4 起始</translation>
    </message>
    <message>
        <source>5 end</source>
        <translation>5 终止</translation>
    </message>
    <message>
        <source>5 start</source>
        <translation>5 起始</translation>
    </message>
    <message>
        <source>6 end</source>
        <translation>6 终止</translation>
    </message>
    <message>
        <source>6 start</source>
        <translation>6 起始</translation>
    </message>
    <message>
        <source>7 end</source>
        <translation>7 终止</translation>
    </message>
    <message>
        <source>7 start</source>
        <translation>7 起始</translation>
    </message>
    <message>
        <source>8 end</source>
        <translation>8 终止</translation>
    </message>
    <message>
        <source>8 start</source>
        <translation>8 起始</translation>
    </message>
    <message>
        <source>9 end</source>
        <translation>9 终止</translation>
    </message>
    <message>
        <source>9 start</source>
        <translation>9 起始</translation>
    </message>
    <message>
        <source>About Quadrel Unit</source>
        <translation>关于 Quadrel Unit</translation>
    </message>
    <message>
        <source>Adjust to</source>
        <translation>调整到</translation>
    </message>
    <message>
        <source>Adjusted Value</source>
        <translation>调整值</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>All Results</source>
        <translation>全部结果</translation>
    </message>
    <message>
        <source>All Results lists every selected cut.</source>
        <translation>全部结果列出每个选中的切面。</translation>
    </message>
    <message>
        <source>Analysis</source>
        <translation>分析</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>角度</translation>
    </message>
    <message>
        <source>Antenna pattern analysis</source>
        <translation>天线方向图分析</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>Bound</source>
        <translation>限值</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Cartesian Coordinates</source>
        <translation>直角坐标</translation>
    </message>
    <message>
        <source>Change Color</source>
        <translation>更改颜色</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>Choose the language of the next start</source>
        <translation>选择下次启动时的语言</translation>
    </message>
    <message>
        <source>Clear Marks</source>
        <translation>清除标记</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Close all patterns? Their edits have not been saved with Save As.</source>
        <translation>关闭所有方向图？其修改尚未用“另存为”保存。</translation>
    </message>
    <message>
        <source>Close every open pattern file</source>
        <translation>关闭所有已打开的方向图文件</translation>
    </message>
    <message>
        <source>Closed all patterns</source>
        <translation>已关闭所有方向图</translation>
    </message>
    <message>
        <source>Color Setting</source>
        <translation>颜色设置</translation>
    </message>
    <message>
        <source>Color Setting...</source>
        <translation>颜色设置...</translation>
    </message>
    <message>
        <source>Configuration folder hierarchy error。</source>
        <translation>配置文件夹层次错误。</translation>
    </message>
    <message>
        <source>Configured path can not be empty！</source>
        <translation>配置路径不能为空！</translation>
    </message>
    <message>
        <source>Coordinates</source>
        <translation>坐标</translation>
    </message>
    <message>
        <source>Cross Polarization</source>
        <translation>交叉极化</translation>
    </message>
    <message>
        <source>Current Results</source>
        <translation>当前结果</translation>
    </message>
    <message>
        <source>Data Export Success！</source>
        <translation>数据导出成功！</translation>
    </message>
    <message>
        <source>Datasheet</source>
        <translation>规格书</translation>
    </message>
    <message>
        <source>Datasheet Limits…</source>
        <translation>规格书限值…</translation>
    </message>
    <message>
        <source>Default Setting</source>
        <translation>默认设置</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>默认值</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Directivity</source>
        <translation>方向性系数</translation>
    </message>
    <message>
        <source>Directivity:</source>
        <translation>方向性系数：</translation>
    </message>
    <message>
        <source>Do you want to quit?</source>
        <translation>确定要退出吗？</translation>
    </message>
    <message>
        <source>Does not Include Results</source>
        <translation>不包含结果</translation>
    </message>
    <message>
        <source>Draw Setting</source>
        <translation>绘图设置</translation>
    </message>
    <message>
        <source>Draw Setting...</source>
        <translation>绘图设置...</translation>
    </message>
    <message>
        <source>Draw setting-Cartesian Coordinates</source>
        <translation>绘图设置-直角坐标</translation>
    </message>
    <message>
        <source>Draw setting-Polar Coordinates</source>
        <translation>绘图设置-极坐标</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>E&amp;xport</source>
        <translation>导出(&amp;X)</translation>
    </message>
    <message>
        <source>ERROR</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Eff</source>
        <translation>效率</translation>
    </message>
    <message>
        <source>Enabled FSU Envelope Algorithm</source>
        <translation>启用 FSU 包络算法</translation>
    </message>
    <message>
        <source>Encrypt Pattern Files</source>
        <translation>加密方向图文件</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Envelope Display</source>
        <translation>包络显示</translation>
    </message>
    <message>
        <source>Envelope Range</source>
        <translation>包络范围</translation>
    </message>
    <message>
        <source>Envelope and Gain Configuration</source>
        <translation>包络与增益配置</translation>
    </message>
    <message>
        <source>Envelope and Gain Configuration...</source>
        <translation>包络与增益配置...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Export Data</source>
        <translation>数据导出</translation>
    </message>
    <message>
        <source>Export Data...</source>
        <translation>数据导出...</translation>
    </message>
    <message>
        <source>Export Report（Excel Format）</source>
        <translation>导出报告（Excel 格式）</translation>
    </message>
    <message>
        <source>Export Report（Word Format 1）</source>
        <translation>导出报告（Word 格式 1）</translation>
    </message>
    <message>
        <source>Export Report（Word Format 2）</source>
        <translation>导出报告（Word 格式 2）</translation>
    </message>
    <message>
        <source>Export data（Excel Format）</source>
        <translation>导出数据（Excel 格式）</translation>
    </message>
    <message>
        <source>Export failed: these files could not be written:</source>
        <translation>导出失败：以下文件无法写入：</translation>
    </message>
    <message>
        <source>Export path is empty or does not exist！</source>
        <translation>导出路径为空或不存在！</translation>
    </message>
    <message>
        <source>Exported %1 files</source>
        <translation>已导出 %1 个文件</translation>
    </message>
    <message>
        <source>Exporting sucess！</source>
        <translation>导出成功！</translation>
    </message>
    <message>
        <source>FBR tot</source>
        <translation>总前后比</translation>
    </message>
    <message>
        <source>FSD Envelope</source>
        <translation>FSD 包络</translation>
    </message>
    <message>
        <source>FSU Envelope</source>
        <translation>FSU 包络</translation>
    </message>
    <message>
        <source>Failed to save the file</source>
        <translation>文件保存失败</translation>
    </message>
    <message>
        <source>File Error !</source>
        <translation>文件错误！</translation>
    </message>
    <message>
        <source>File Lists</source>
        <translation>文件列表</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>文件名</translation>
    </message>
    <message>
        <source>File Path</source>
        <translation>文件路径</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>文件名：</translation>
    </message>
    <message>
        <source>Folder or file name error</source>
        <translation>文件夹或文件名错误</translation>
    </message>
    <message>
        <source>Frequency:</source>
        <translation>频率：</translation>
    </message>
    <message>
        <source>From</source>
        <translation>从</translation>
    </message>
    <message>
        <source>From (°)</source>
        <translation>起始（°）</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source>Gain Calculation</source>
        <translation>增益计算</translation>
    </message>
    <message>
        <source>Gain Files</source>
        <translation>增益文件</translation>
    </message>
    <message>
        <source>Grid Change Color</source>
        <translation>更改网格颜色</translation>
    </message>
    <message>
        <source>Grid Step</source>
        <translation>网格步长</translation>
    </message>
    <message>
        <source>Grid step</source>
        <translation>网格步长</translation>
    </message>
    <message>
        <source>H-Max Level</source>
        <translation>水平最大电平</translation>
    </message>
    <message>
        <source>HBW XdB</source>
        <translation>水平 XdB 波束宽度</translation>
    </message>
    <message>
        <source>Handling Range</source>
        <translation>处理范围</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>水平</translation>
    </message>
    <message>
        <source>Horizontal Parameter List</source>
        <translation>水平参数列表</translation>
    </message>
    <message>
        <source>Horizontal Parameter List...</source>
        <translation>水平参数列表...</translation>
    </message>
    <message>
        <source>Horizontal Parameter Setup</source>
        <translation>水平参数设置</translation>
    </message>
    <message>
        <source>Horizontal Parameter Setup...</source>
        <translation>水平参数设置...</translation>
    </message>
    <message>
        <source>Horizontal Pattern</source>
        <translation>水平方向图</translation>
    </message>
    <message>
        <source>Include Results</source>
        <translation>包含结果</translation>
    </message>
    <message>
        <source>Indicator</source>
        <translation>指标</translation>
    </message>
    <message>
        <source>Indicator Naming</source>
        <translation>指标命名</translation>
    </message>
    <message>
        <source>Indicator Naming...</source>
        <translation>指标命名...</translation>
    </message>
    <message>
        <source>Indicators</source>
        <translation>指标</translation>
    </message>
    <message>
        <source>Indicators are listed here for one cut</source>
        <translation>此处只列出一个切面</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>插入</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Lean</source>
        <translation>波束倾斜</translation>
    </message>
    <message>
        <source>Lean XdB</source>
        <translation>波束倾斜 XdB</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>电平</translation>
    </message>
    <message>
        <source>Level Adjustment</source>
        <translation>电平调整</translation>
    </message>
    <message>
        <source>Level Adjustment...</source>
        <translation>电平调整...</translation>
    </message>
    <message>
        <source>Load Selection File</source>
        <translation>载入选择文件</translation>
    </message>
    <message>
        <source>Load Selection File...</source>
        <translation>载入选择文件...</translation>
    </message>
    <message>
        <source>Load warnings</source>
        <translation>载入警告</translation>
    </message>
    <message>
        <source>Loaded %1 from %2 in %3 s</source>
        <translation>已在 %3 秒内从 %2 载入 %1</translation>
    </message>
    <message>
        <source>Losses</source>
        <translation>损耗</translation>
    </message>
    <message>
        <source>Made for antenna test engineers</source>
        <translation>为天线测试工程师打造</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手动</translation>
    </message>
    <message>
        <source>Margin</source>
        <translation>余量</translation>
    </message>
    <message>
        <source>Mark FSU</source>
        <translation>标记 FSU</translation>
    </message>
    <message>
        <source>Mark Max</source>
        <translation>标记最大值</translation>
    </message>
    <message>
        <source>Mark Min</source>
        <translation>标记最小值</translation>
    </message>
    <message>
        <source>Mark SS MAX</source>
        <translation>标记 SS MAX</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大值</translation>
    </message>
    <message>
        <source>Max Level</source>
        <translation>最大电平</translation>
    </message>
    <message>
        <source>Max(Max - Avg，| Min - Avg |)</source>
        <translation>最大值（最大 - 平均，| 最小 - 平均 |）</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>平均值</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>Name fields:</source>
        <translation>名称字段：</translation>
    </message>
    <message>
        <source>Next Cut</source>
        <translation>下一个切面</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>No data, select data.</source>
        <translation>没有数据，请选择数据。</translation>
    </message>
    <message>
        <source>No such file or folder: </source>
        <translation>没有这个文件或文件夹：</translation>
    </message>
    <message>
        <source>Nominal Driection</source>
        <translation>标称方向</translation>
    </message>
    <message>
        <source>Non Rotate</source>
        <translation>取消旋转</translation>
    </message>
    <message>
        <source>None: the file was read without doubts.</source>
        <translation>无：文件读取无疑点。</translation>
    </message>
    <message>
        <source>Not available yet, nothing was written for: </source>
        <translation>尚不可用，以下内容未写入：</translation>
    </message>
    <message>
        <source>Not imported:</source>
        <translation>未导入：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>OneSheet</source>
        <translation>单工作表</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>打开 %1</translation>
    </message>
    <message>
        <source>Open &amp;Folder...</source>
        <translation>打开文件夹(&amp;F)...</translation>
    </message>
    <message>
        <source>Open Files</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <source>Open every pattern file of an antenna folder</source>
        <translation>打开一个天线文件夹中的全部方向图文件</translation>
    </message>
    <message>
        <source>Open pattern files, or planning files to import</source>
        <translation>打开方向图文件，或导入规划文件</translation>
    </message>
    <message>
        <source>Open the envelope and gain configuration</source>
        <translation>打开包络与增益配置</translation>
    </message>
    <message>
        <source>Overall</source>
        <translation>整体</translation>
    </message>
    <message>
        <source>Parameter Setting</source>
        <translation>参数设置</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>路径</translation>
    </message>
    <message>
        <source>Path of Report</source>
        <translation>报告路径</translation>
    </message>
    <message>
        <source>Path:</source>
        <translation>路径：</translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation>方向图</translation>
    </message>
    <message>
        <source>Pattern &amp;Information...</source>
        <translation>方向图信息(&amp;I)...</translation>
    </message>
    <message>
        <source>Pattern Adjustment</source>
        <translation>方向图调整</translation>
    </message>
    <message>
        <source>Pattern Drag</source>
        <translation>方向图拖动</translation>
    </message>
    <message>
        <source>Pattern Files</source>
        <translation>方向图文件</translation>
    </message>
    <message>
        <source>Pattern Files (*.msi *.MSI *.cm *.CM)</source>
        <translation>方向图文件 (*.msi *.MSI *.cm *.CM)</translation>
    </message>
    <message>
        <source>Pattern Information</source>
        <translation>方向图信息</translation>
    </message>
    <message>
        <source>Pattern Information...</source>
        <translation>方向图信息...</translation>
    </message>
    <message>
        <source>Pattern List</source>
        <translation>方向图列表</translation>
    </message>
    <message>
        <source>Pattern Rotation - Data Processing</source>
        <translation>方向图旋转 - 数据处理</translation>
    </message>
    <message>
        <source>Planning Files to Import (*.msi *.MSI *.pln *.PLN *.txt *.TXT)</source>
        <translation>待导入的规划文件 (*.msi *.MSI *.pln *.PLN *.txt *.TXT)</translation>
    </message>
    <message>
        <source>Please chose one color!</source>
        <translation>请选择一种颜色！</translation>
    </message>
    <message>
        <source>Pol</source>
        <translation>极化</translation>
    </message>
    <message>
        <source>Polar Coordinates</source>
        <translation>极坐标</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Previous Cut</source>
        <translation>上一个切面</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>Radiation</source>
        <translation>辐射</translation>
    </message>
    <message>
        <source>Radiation Parameter Setup</source>
        <translation>辐射参数设置</translation>
    </message>
    <message>
        <source>Radiation Parameter Setup...</source>
        <translation>辐射参数设置...</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>比值</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>Recent Antennas</source>
        <translation>最近的天线</translation>
    </message>
    <message>
        <source>Recent Files</source>
        <translation>最近的文件</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Reference</source>
        <translation>参考</translation>
    </message>
    <message>
        <source>Relative Display</source>
        <translation>相对显示</translation>
    </message>
    <message>
        <source>Reports</source>
        <translation>报告</translation>
    </message>
    <message>
        <source>Reset View</source>
        <translation>还原视图</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>旋转</translation>
    </message>
    <message>
        <source>Rotate for Display</source>
        <translation>显示旋转</translation>
    </message>
    <message>
        <source>Rotate for Display...</source>
        <translation>显示旋转...</translation>
    </message>
    <message>
        <source>Rotate the Data</source>
        <translation>数据旋转</translation>
    </message>
    <message>
        <source>Rotate the Data...</source>
        <translation>数据旋转...</translation>
    </message>
    <message>
        <source>Rotate to</source>
        <translation>旋转到</translation>
    </message>
    <message>
        <source>Rotate to Nominal Point</source>
        <translation>旋转到标称点</translation>
    </message>
    <message>
        <source>Roundness</source>
        <translation>圆度</translation>
    </message>
    <message>
        <source>SPR Display</source>
        <translation>SPR 显示</translation>
    </message>
    <message>
        <source>SS Max</source>
        <translation>SS 最大值</translation>
    </message>
    <message>
        <source>SS X1°～X2°</source>
        <translation>SS X1°～X2°</translation>
    </message>
    <message>
        <source>Samples:</source>
        <translation>采样点数：</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Save ScreenShot</source>
        <translation>保存截图</translation>
    </message>
    <message>
        <source>Save Screenshot</source>
        <translation>保存截图</translation>
    </message>
    <message>
        <source>Save Selection File</source>
        <translation>保存选择文件</translation>
    </message>
    <message>
        <source>Save Selection File...</source>
        <translation>保存选择文件...</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Save as Files</source>
        <translation>另存为文件</translation>
    </message>
    <message>
        <source>Saved the pattern files</source>
        <translation>方向图文件已保存</translation>
    </message>
    <message>
        <source>Scale Division</source>
        <translation>刻度间隔</translation>
    </message>
    <message>
        <source>Screenshot Path</source>
        <translation>截图路径</translation>
    </message>
    <message>
        <source>Screenshot Path...</source>
        <translation>截图路径...</translation>
    </message>
    <message>
        <source>Screenshot Setting</source>
        <translation>截图设置</translation>
    </message>
    <message>
        <source>Screenshot Setting...</source>
        <translation>截图设置...</translation>
    </message>
    <message>
        <source>Sector</source>
        <translation>扇区</translation>
    </message>
    <message>
        <source>Sector ±</source>
        <translation>扇区 ±</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Select Path</source>
        <translation>选择路径</translation>
    </message>
    <message>
        <source>Select XML path</source>
        <translation>选择 XML 路径</translation>
    </message>
    <message>
        <source>Select a cut in the file list first</source>
        <translation>请先在文件列表中选择一个切面</translation>
    </message>
    <message>
        <source>Select the next cut of the file list</source>
        <translation>选择文件列表中的下一个切面</translation>
    </message>
    <message>
        <source>Select the previous cut of the file list</source>
        <translation>选择文件列表中的上一个切面</translation>
    </message>
    <message>
        <source>Show where the selected cut came from and the doubts of its reading</source>
        <translation>显示所选切面的来源及读取时的疑点</translation>
    </message>
    <message>
        <source>Side Lobe Sectors</source>
        <translation>旁瓣扇区</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>单选</translation>
    </message>
    <message>
        <source>Squint</source>
        <translation>波束偏斜</translation>
    </message>
    <message>
        <source>SquintError</source>
        <translation>波束偏斜误差</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Standard Window 1(400*600)</source>
        <translation>标准窗口 1（400*600）</translation>
    </message>
    <message>
        <source>Standard Window 2(450*450)</source>
        <translation>标准窗口 2（450*450）</translation>
    </message>
    <message>
        <source>Std</source>
        <translation>标准差</translation>
    </message>
    <message>
        <source>THP XdB</source>
        <translation>XdB 跟踪</translation>
    </message>
    <message>
        <source>THP XdB input parameter is out of range 1~20,please check!</source>
        <translation>THP XdB 输入参数超出范围 1~20，请检查！</translation>
    </message>
    <message>
        <source>Template Read Exception!</source>
        <translation>模板读取异常！</translation>
    </message>
    <message>
        <source>The Main Polarization</source>
        <translation>主极化</translation>
    </message>
    <message>
        <source>The language changes when the program starts again</source>
        <translation>语言将在程序下次启动时切换</translation>
    </message>
    <message>
        <source>Tilt</source>
        <translation>下倾角</translation>
    </message>
    <message>
        <source>Tracking Lines</source>
        <translation>跟踪线</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>V-Max Level</source>
        <translation>垂直最大电平</translation>
    </message>
    <message>
        <source>V-XPD XdB</source>
        <translation>垂直 XdB 交叉极化比</translation>
    </message>
    <message>
        <source>VBW XdB</source>
        <translation>垂直 XdB 波束宽度</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>结论</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>垂直</translation>
    </message>
    <message>
        <source>Vertical Parameter List</source>
        <translation>垂直参数列表</translation>
    </message>
    <message>
        <source>Vertical Parameter List...</source>
        <translation>垂直参数列表...</translation>
    </message>
    <message>
        <source>Vertical Parameters Setup</source>
        <translation>垂直参数设置</translation>
    </message>
    <message>
        <source>Vertical Parameters Setup...</source>
        <translation>垂直参数设置...</translation>
    </message>
    <message>
        <source>Vertical Pattern</source>
        <translation>垂直方向图</translation>
    </message>
    <message>
        <source>Vertical SS parameter is out of range -180~180，please check!</source>
        <translation>垂直 SS 参数超出范围 -180~180，请检查！</translation>
    </message>
    <message>
        <source>View</source>
        <translation>视图</translation>
    </message>
    <message>
        <source>With +45/-45 Polarization</source>
        <translation>关联 +45/-45 极化</translation>
    </message>
    <message>
        <source>With Co/Cross Polarization</source>
        <translation>关联主/交叉极化</translation>
    </message>
    <message>
        <source>With H/V Plane</source>
        <translation>关联水平/垂直切面</translation>
    </message>
    <message>
        <source>Worst</source>
        <translation>最差值</translation>
    </message>
    <message>
        <source>XML Configuration</source>
        <translation>XML 配置</translation>
    </message>
    <message>
        <source>XML Configuration...</source>
        <translation>XML 配置...</translation>
    </message>
    <message>
        <source>XML configuration</source>
        <translation>XML 配置</translation>
    </message>
    <message>
        <source>XPD XdB</source>
        <translation>XdB 交叉极化比</translation>
    </message>
    <message>
        <source>XdB</source>
        <translation>XdB</translation>
    </message>
    <message>
        <source>XdB (list)</source>
        <translation>XdB（列表）</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>You can only chose one color!</source>
        <translation>只能选择一种颜色！</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>exporting</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>loading</source>
        <translation>载入</translation>
    </message>
    <message>
        <source>n</source>
        <translation>数量</translation>
    </message>
    <message>
        <source>or a cut with its partner;</source>
        <translation>或一个切面及其关联切面的指标；</translation>
    </message>
    <message>
        <source>the Direction of Max Level</source>
        <translation>最大电平方向</translation>
    </message>
    <message>
        <source>the Level of Nominal Direction</source>
        <translation>标称方向电平</translation>
    </message>
    <message>
        <source>to (°)</source>
        <translation>终止（°）</translation>
    </message>
    <message>
        <source>to Zero</source>
        <translation>到零度</translation>
    </message>
    <message>
        <source>&amp;Legend</source>
        <translation>图例(&amp;L)</translation>
    </message>
    <message>
        <source>Show or hide the names of the cuts on the plot</source>
        <translation>显示或隐藏图上切面的名称</translation>
    </message>
    <message>
        <source>Zoom In &amp;Step</source>
        <translation>逐步放大(&amp;S)</translation>
    </message>
    <message>
        <source>Enlarge the plot about its centre</source>
        <translation>以中心放大图形</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>缩小(&amp;O)</translation>
    </message>
    <message>
        <source>Go back one zoom step</source>
        <translation>退回上一步缩放</translation>
    </message>
    <message>
        <source>Coordinate system</source>
        <translation>坐标系</translation>
    </message>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation>文件夹 %1 不存在。</translation>
    </message>
    <message>
        <source>The file %1 could not be written.</source>
        <translation>无法写入文件 %1。</translation>
    </message>
    <message>
        <source>Level Min must be below Level Max.</source>
        <translation>电平最小值必须小于电平最大值。</translation>
    </message>
</context>
</TS>
